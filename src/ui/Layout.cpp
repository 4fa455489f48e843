#include "ui/Layout.h"

namespace veltrasa::layout {

int Scale::px(int twips) const
{
    return qRound(twips * factor_ / kTwipsPerPixel);
}

QRect Scale::rect(int left, int top, int width, int height) const
{
    const int x = px(left);
    const int y = px(top);
    return QRect(x, y, px(left + width) - x, px(top + height) - y);
}

int Scale::pixels(int pixels) const
{
    return qRound(pixels * factor_);
}

int Scale::line(int pixels) const
{
    return qMax(1, this->pixels(pixels));
}

const std::vector<EventButtonSpec>& eventButtons()
{
    constexpr QRgb navy = 0xFF000080;
    static const std::vector<EventButtonSpec> table = {
        {0, 7080, 5250, navy, 63},         {1, 7080, 6420, navy, 64},   {2, 7080, 7590, navy, 65},
        {3, 7080, 8760, navy, 66},         {4, 7080, 9930, navy, 67},   {5, 9840, 5250, navy, 68},
        {6, 9840, 6420, navy, 69},         {7, 9840, 7590, navy, 70},   {8, 9840, 8760, navy, 71},
        {9, 9840, 9930, navy, 72},         {10, 12630, 5250, navy, 73}, {11, 12630, 6420, navy, 74},
        {12, 12630, 7590, navy, 75},       {13, 12630, 8760, navy, 76}, {14, 12630, 9930, navy, 77},
        {15, 15600, 5250, 0xFF400000, 78},
    };
    return table;
}

const std::vector<PicturePanelSpec>& picturePanels()
{
    static const std::vector<PicturePanelSpec> table = {
        {1, 7080, 5250, u"病院到着", 0},       {2, 7080, 6420, u"心マ開始", 6},
        {3, 7080, 7590, u"除細動", 7},         {5, 7080, 8760, u"静脈路確保", 9},
        {4, 7080, 9930, u"気管挿管", 8},       {6, 9855, 5250, u"エピネフリン", 10},
        {7, 9855, 6420, u"アトロピン", 11},    {16, 9855, 7590, u"アンカロン", 51},
        {17, 9855, 8760, u"シンビット", 52},   {8, 9855, 9930, u"キシロカイン", 12},
        {9, 12630, 5250, u"マグネゾール", 13}, {10, 12630, 6420, u"メイロン", 14},
        {12, 12630, 7590, u"点滴追加", 16},    {11, 12630, 8760, u"ドパミン", 15},
        {18, 12630, 9930, u"経皮ﾍﾟｰｼﾝｸﾞ", 53}, {15, 15600, 5250, u"終　了", 1},
    };
    return table;
}

const std::vector<OptionButtonSpec>& optionButtons()
{
    static const std::vector<OptionButtonSpec> table = {
        {0, 7290, 54}, {1, 9108, 55}, {3, 10926, 57}, {4, 12744, 58}, {2, 14562, 56}, {5, 16380, 59},
    };
    return table;
}

const ListSpec& recordList()
{
    static const ListSpec list{120, 1695, 6870, 11220, 0xFF404040, 0xFFC0C0C0, {kGothic, 18, false}, u"12:24:00 病院着",
                               2};
    return list;
}

} // namespace veltrasa::layout
