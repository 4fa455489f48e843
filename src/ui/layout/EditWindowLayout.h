#pragma once
// The edit window frmEdit, control by control: places and sizes in twips
// relative to the client area, colours, fonts and the values each control
// holds when created.

#include <QRgb>
#include <array>

#include "ui/layout/FontFace.h"

namespace veltrasa::layout::edit {

constexpr int kClientWidth = 9360;
constexpr int kClientHeight = 1335;
constexpr QRgb kWindowBackground = 0xFF000000;
inline constexpr const char16_t* kCaption = u"編集";

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

// A filled rectangle of the control array Shape1, without border, behind
// a button.
struct BackdropSpec {
    int index;
    int left, top, width, height;
    QRgb fill;
};

namespace detail {
inline constexpr QRgb kButtonFace = 0xFFC0C0C0;
inline constexpr FontSpec kButtonFont{kPGothic, 11.25, false};
} // namespace detail

// Text1
inline constexpr EditBoxSpec kEditBox{120,      150, 9045, 465, 0xFF404040, 0xFFFFFFFF, {kPGothic, 15.75, false},
                                      u"Text1", 0};
// Command1 (ｷｬﾝｾﾙ), Command2 (変更)
inline constexpr std::array<ButtonSpec, 2> kButtons = {{
    {"Command1", u"ｷｬﾝｾﾙ", 2580, 780, 1095, 465, detail::kButtonFace, detail::kButtonFont, 1},
    {"Command2", u"変更", 5340, 780, 1095, 465, detail::kButtonFace, detail::kButtonFont, 2},
}};
// Shape1(0) behind Command1, Shape1(1) behind Command2
inline constexpr std::array<BackdropSpec, 2> kBackdrops = {{
    {0, 2550, 750, 1185, 555, 0xFFFFC0C0},
    {1, 5310, 750, 1185, 555, 0xFFC0FFC0},
}};

} // namespace veltrasa::layout::edit
