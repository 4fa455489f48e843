#pragma once
// The record list's popup menu: its items, top to bottom.

#include <array>

namespace veltrasa::layout::popup {

// An item; a caption "-" is a separator.
struct MenuItemSpec {
    const char* name;
    const char16_t* caption;
    int command; // 0 修正, 1 削除, 2 元に戻す, 3 振り返り (RecordMenu::Item); -1 for the separator
};
inline constexpr const char16_t* kCaption = u"popup";

inline constexpr std::array<MenuItemSpec, 5> kItems = {{
    {"menuEdit", u"修正", 0},
    {"menuBar", u"-", -1},
    {"menuDelete", u"削除", 1},
    {"menuCancel", u"元に戻す", 2},
    {"menuSummary", u"振り返り", 3},
}};

} // namespace veltrasa::layout::popup
