#pragma once
// The edit window frmEdit, control by control: places and sizes in twips
// relative to the client area, colours, fonts and the values each control
// holds when created.

#include <QRgb>
#include <array>

#include "common/Colours.h"
#include "common/Texts.h"
#include "ui/layout/FontFace.h"

namespace veltrasa::layout::edit {

constexpr int kClientWidth = 9360;
constexpr int kClientHeight = 1335;
constexpr QRgb kWindowBackground = colours::kBlack;
inline constexpr const char16_t* kCaption = texts::kEditCaption;

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
inline constexpr QRgb kButtonFace = colours::kSilver;
inline constexpr FontSpec kButtonFont{kPGothic, 11.25, false};
} // namespace detail

// Text1
inline constexpr EditBoxSpec kEditBox{
    120, 150, 9045, 465, colours::kDarkGrey, colours::kWhite, {kPGothic, 15.75, false}, texts::kEditBoxInitialText, 0};
// Command1 (ｷｬﾝｾﾙ), Command2 (変更)
inline constexpr std::array<ButtonSpec, 2> kButtons = {{
    {"Command1", texts::kCancelButton, 2580, 780, 1095, 465, detail::kButtonFace, detail::kButtonFont, 1},
    {"Command2", texts::kChangeButton, 5340, 780, 1095, 465, detail::kButtonFace, detail::kButtonFont, 2},
}};
// Shape1(0) behind Command1, Shape1(1) behind Command2
inline constexpr std::array<BackdropSpec, 2> kBackdrops = {{
    {0, 2550, 750, 1185, 555, colours::kPaleRed},
    {1, 5310, 750, 1185, 555, colours::kPaleGreen},
}};

} // namespace veltrasa::layout::edit
