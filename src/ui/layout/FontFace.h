#pragma once
// The fonts of the windows' layouts: the Windows faces they were drawn
// with, at their sizes in points. look/Fonts.h finds the installed faces
// that stand in for them.

namespace veltrasa::layout {

inline constexpr const char16_t* kPGothic = u"ＭＳ Ｐゴシック";
inline constexpr const char16_t* kGothic = u"ＭＳ ゴシック";
inline constexpr const char16_t* kArialBlack = u"Arial Black";

struct FontSpec {
    const char16_t* family;
    double points;
    bool bold;
};

} // namespace veltrasa::layout
