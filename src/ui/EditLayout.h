#pragma once
// The edit window frmEdit and the record list's popup menu, control by
// control: places and sizes in twips relative to the client area, colours,
// fonts and the values each control holds when created.

#include <QRgb>
#include <array>

#include "ui/Layout.h"

namespace veltrasa::layout::edit {

constexpr int kClientWidth = 9360;
constexpr int kClientHeight = 1335;
constexpr QRgb kWindowBackground = 0xFF000000;
inline const char16_t* const kCaption = u"編集";

struct EditBoxSpec {
    int left, top, width, height;
    QRgb background, text;
    FontSpec font;
    const char16_t* initialText;
    int focusOrder;
};

struct ButtonSpec {
    const char* name;
    const char16_t* caption;
    int left, top, width, height;
    QRgb background;
    FontSpec font;
    int focusOrder;
};

// A filled rectangle of the control array Shape1, without border.
struct ShapeSpec {
    int index;
    int left, top, width, height;
    QRgb fill;
};

const EditBoxSpec& editBox();               // Text1
const std::array<ButtonSpec, 2>& buttons(); // Command1 (ｷｬﾝｾﾙ), Command2 (変更)
const std::array<ShapeSpec, 2>& shapes();   // Shape1(0) behind Command1, Shape1(1) behind Command2

// The popup menu, top to bottom; a caption "-" is a separator.
struct MenuItemSpec {
    const char* name;
    const char16_t* caption;
    int command; // 0 修正, 1 削除, 2 元に戻す (RecordMenu::Item); -1 for the separator
};
inline const char16_t* const kPopupCaption = u"popup";
const std::array<MenuItemSpec, 4>& popupItems();

} // namespace veltrasa::layout::edit
