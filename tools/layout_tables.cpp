// Writes the main window's control places from the layout tables as shell
// arrays (twips, indexed by control index), so the end-to-end tests click
// and sample where the window really puts its controls.
// Usage: veltrasa_layout_tables FILE
#include <cstdio>
#include <map>
#include <string>

#include "ui/layout/FrmMainLayout.h"

namespace {
std::string array(const char* name, const std::map<int, int>& byIndex)
{
    std::string line = std::string(name) + "=(";
    for (const auto& [index, value] : byIndex)
        line += (index ? " " : "") + std::to_string(value);
    return line + ")\n";
}

std::string scalar(const char* name, int value)
{
    return std::string(name) + "=" + std::to_string(value) + "\n";
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

    std::string text = "# Generated from the window's layout tables; twips.\n";
    text += scalar("CLIENT_WIDTH", kClientWidth) + scalar("CLIENT_HEIGHT", kClientHeight);
    text += array("EVENT_LEFT", eventLeft) + array("EVENT_TOP", eventTop);
    text += scalar("EVENT_WIDTH", kEventButtonWidth) + scalar("EVENT_HEIGHT", kEventButtonHeight);
    text += array("RHYTHM_LEFT", rhythmLeft) + scalar("RHYTHM_TOP", kRhythmButtonTop);
    text += scalar("RHYTHM_WIDTH", kRhythmButtonWidth) + scalar("RHYTHM_HEIGHT", kRhythmButtonHeight);
    text += array("LIST_RECT", {{0, list.left}, {1, list.top}, {2, list.width}, {3, list.height}});
    for (const LabelSpec& l : kLabels)
        if (std::string(l.name) == "Label2") // the reversible causes
            text += array("CAUSES_LIST", {{0, l.left}, {1, l.top}, {2, l.width}, {3, l.height}});

    std::FILE* file = std::fopen(argv[1], "w");
    if (!file || std::fputs(text.c_str(), file) < 0 || std::fclose(file) != 0) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
