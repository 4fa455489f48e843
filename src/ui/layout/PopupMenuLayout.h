#pragma once
// The record list's popup menu: its items, top to bottom.

#include <array>

#include "common/Texts.h"

namespace veltrasa::layout::popup {

// An item; a caption "-" is a separator.
struct MenuItemSpec {
    const char* name;
    const char16_t* caption;
    int command; // 0 修正, 1 削除, 2 元に戻す, 3 振り返り (RecordMenu::Item); -1 for the separator
};
inline constexpr const char16_t* kCaption = texts::kPopupCaption;

inline constexpr std::array<MenuItemSpec, 5> kItems = {{
    {"menuEdit", texts::kEditItem, 0},
    {"menuBar", u"-", -1},
    {"menuDelete", texts::kDeleteItem, 1},
    {"menuCancel", texts::kUndoItem, 2},
    {"menuSummary", texts::kSummary, 3},
}};

} // namespace veltrasa::layout::popup
