#include "ui/EditLayout.h"

namespace veltrasa::layout::edit {
namespace {
constexpr QRgb kButtonFace = 0xFFC0C0C0;
constexpr FontSpec kButtonFont{kPGothic, 11.25, false};
} // namespace

const EditBoxSpec& editBox()
{
    static const EditBoxSpec box{120, 150, 9045, 465, 0xFF404040, 0xFFFFFFFF, {kPGothic, 15.75, false}, u"Text1", 0};
    return box;
}

const std::array<ButtonSpec, 2>& buttons()
{
    static const std::array<ButtonSpec, 2> table = {{
        {"Command1", u"ｷｬﾝｾﾙ", 2580, 780, 1095, 465, kButtonFace, kButtonFont, 1},
        {"Command2", u"変更", 5340, 780, 1095, 465, kButtonFace, kButtonFont, 2},
    }};
    return table;
}

const std::array<ShapeSpec, 2>& shapes()
{
    static const std::array<ShapeSpec, 2> table = {{
        {0, 2550, 750, 1185, 555, 0xFFFFC0C0},
        {1, 5310, 750, 1185, 555, 0xFFC0FFC0},
    }};
    return table;
}

const std::array<MenuItemSpec, 4>& popupItems()
{
    static const std::array<MenuItemSpec, 4> table = {{
        {"menuEdit", u"修正", 0},
        {"menuBar", u"-", -1},
        {"menuDelete", u"削除", 1},
        {"menuCancel", u"元に戻す", 2},
    }};
    return table;
}

} // namespace veltrasa::layout::edit
