// Writes the windows' control places from the layout tables as shell
// variables (twips), so the end-to-end tests click and sample where the
// windows really put their controls: the main window's buttons (arrays
// indexed by control index), its record list, every label and shape by its
// form name (LABEL1_3 is Label1(3), SHAPE2 the single Shape2), the edit
// window's client size, box, buttons and the rectangles behind them, and
// the popup menu's items in order.
// Usage: veltrasa_layout_tables FILE
#include <QString>
#include <cstdio>
#include <map>
#include <string>

#include "ui/layout/EditWindowLayout.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/PopupMenuLayout.h"
#include "ui/layout/Scale.h"

namespace {
std::string array(const std::string& name, const std::map<int, int>& byIndex)
{
    std::string line = name + "=(";
    for (const auto& [index, value] : byIndex)
        line += (index ? " " : "") + std::to_string(value);
    return line + ")\n";
}

std::string scalar(const char* name, int value)
{
    return std::string(name) + "=" + std::to_string(value) + "\n";
}

std::string rect(const std::string& name, int left, int top, int width, int height)
{
    return array(name, {{0, left}, {1, top}, {2, width}, {3, height}});
}

// A control's variable name: its form name in capitals, and its index in
// its control array.
std::string controlName(const char* name, int index)
{
    std::string upper = QString::fromLatin1(name).toUpper().toStdString();
    return index < 0 ? upper : upper + "_" + std::to_string(index);
}
} // namespace

int main(int argc, char* argv[])
{
    using namespace veltrasa::layout;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    std::map<int, int> eventLeft, eventTop, rhythmLeft;
    for (const EventButtonSpec& b : kEventButtons) {
        eventLeft[b.index] = b.left;
        eventTop[b.index] = b.top;
    }
    for (const RhythmButtonSpec& b : kRhythmButtons)
        rhythmLeft[b.index] = b.left;
    const ListSpec& list = kRecordList;

    std::string text = "# Generated from the windows' layout tables; twips.\n";
    text += scalar("TWIPS_PER_PIXEL", kTwipsPerPixel);
    text += scalar("CLIENT_WIDTH", kClientWidth) + scalar("CLIENT_HEIGHT", kClientHeight);
    text += array("EVENT_LEFT", eventLeft) + array("EVENT_TOP", eventTop);
    text += scalar("EVENT_WIDTH", kEventButtonWidth) + scalar("EVENT_HEIGHT", kEventButtonHeight);
    text += array("RHYTHM_LEFT", rhythmLeft) + scalar("RHYTHM_TOP", kRhythmButtonTop);
    text += scalar("RHYTHM_WIDTH", kRhythmButtonWidth) + scalar("RHYTHM_HEIGHT", kRhythmButtonHeight);
    text += rect("LIST_RECT", list.left, list.top, list.width, list.height);
    for (const LabelSpec& l : kLabels)
        text += rect(controlName(l.name, l.index), l.left, l.top, l.width, l.height);
    for (const ShapeSpec& s : kShapes)
        text += rect(controlName(s.name, s.index), s.left, s.top, s.width, s.height);

    text += scalar("EDIT_CLIENT_WIDTH", edit::kClientWidth) + scalar("EDIT_CLIENT_HEIGHT", edit::kClientHeight);
    const edit::EditBoxSpec& box = edit::kEditBox;
    text += rect("EDIT_BOX_RECT", box.left, box.top, box.width, box.height);
    // Command1 (ｷｬﾝｾﾙ) and Command2 (変更), each with Shape1 behind it.
    const char* const buttonNames[] = {"EDIT_CANCEL", "EDIT_CHANGE"};
    for (int i = 0; i < 2; ++i) {
        const edit::ButtonSpec& b = edit::kButtons[i];
        const edit::BackdropSpec& s = edit::kBackdrops[i];
        text += rect(std::string(buttonNames[i]) + "_RECT", b.left, b.top, b.width, b.height);
        text += rect(std::string(buttonNames[i]) + "_SHAPE", s.left, s.top, s.width, s.height);
    }
    std::string items = "POPUP_ITEMS=(";
    for (const popup::MenuItemSpec& item : popup::kItems)
        items += (items.back() == '(' ? "" : " ") + QString::fromUtf16(item.caption).toStdString();
    text += items + ")\n";

    std::FILE* file = std::fopen(argv[1], "w");
    if (!file || std::fputs(text.c_str(), file) < 0 || std::fclose(file) != 0) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
