#include "ui/Layout.h"

namespace veltrasa::layout {
namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBrown = 0xFF804000;
constexpr QRgb kOlive = 0xFF808000;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kTopBorder = 0xFFC0C0C0;
constexpr QRgb kLargeBorder = 0xFFE0E0E0;

constexpr FontSpec kHeading{kGothic, 12, true};
constexpr FontSpec kDigit{kArialBlack, 48, true};
constexpr FontSpec kCprDigit{kArialBlack, 159.75, true};
constexpr FontSpec kCprSeparator{kArialBlack, 140.25, true};

const char16_t* const kReversibleCauses = u"・循環血液量減少\r\n"
                                          u"・低酸素症\r\n"
                                          u"・アシドーシス\r\n"
                                          u"・低／高カリウム血症\r\n"
                                          u"・低血糖\r\n"
                                          u"・低体温\r\n"
                                          u"・毒物\r\n"
                                          u"・心タンポナーデ\r\n"
                                          u"・緊張性気胸\r\n"
                                          u"・血栓症(冠動脈/肺動脈)\r\n"
                                          u"・外傷\r\n";
} // namespace

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

const std::vector<PanelSpec>& panels()
{
    static const std::vector<PanelSpec> table = {
        {"Shape1", 1, 45, 60, 3705, 1545, kTopBorder},         // clock
        {"Shape1", 2, 3855, 60, 3135, 1545, kTopBorder},       // arrival counter
        {"Shape1", 3, 7080, 60, 3705, 1545, kTopBorder},       // epinephrine counter
        {"Shape1", 0, 10860, 60, 3705, 1545, kTopBorder},      // atropine counter
        {"Shape1", 5, 14640, 60, 3705, 1545, kTopBorder},      // antiarrhythmic counter
        {"Shape1", 4, 7065, 1680, 11280, 3375, kLargeBorder},  // CPR counter
        {"Shape1", 6, 7050, 11100, 11280, 1815, kLargeBorder}, // rhythm buttons
        {"Shape2", -1, 15540, 7590, 2745, 3345, kWhite},       // reversible causes
    };
    return table;
}

const std::vector<LabelSpec>& labels()
{
    static const std::vector<LabelSpec> table = {
        // Headings
        {"Label4", 0, 165, 165, 1755, 420, kWhite, u"現在の時刻", kHeading, false},
        {"Label4", 1, 3975, 180, 2520, 360, kWhite, u"入室からの経過時間", kHeading, false},
        {"Label4", 2, 7185, 1845, 7170, 615, kWhite, u"", {kGothic, 15.75, true}, false},
        {"Label4", 3, 7170, 180, 3630, 360, kWhite, u"", kHeading, false},
        {"Label4", 4, 10980, 180, 3510, 360, kWhite, u"", kHeading, false},
        {"Label4", 5, 14760, 180, 3510, 360, kWhite, u"", kHeading, false},
        {"Label4", 6, 7320, 11220, 4230, 360, kWhite, u"リズム（パルス）チェック", {kPGothic, 18, true}, false},
        // Clock, hours:minutes
        {"Label3", 3, 330, 240, 825, 1350, kGreen, u"0", kDigit, true},
        {"Label3", 2, 975, 240, 825, 1350, kGreen, u"0", kDigit, true},
        {"Label3", 4, 1740, 165, 270, 1350, kGreen, u":", kDigit, true},
        {"Label3", 1, 1965, 240, 825, 1350, kGreen, u"0", kDigit, true},
        {"Label3", 0, 2610, 240, 825, 1350, kGreen, u"0", kDigit, true},
        // Arrival counter
        {"Label1", 3, 3855, 240, 870, 1350, kBrown, u"0", kDigit, true},
        {"Label1", 2, 4500, 240, 870, 1350, kBrown, u"0", kDigit, true},
        {"Label1", 6, 4980, 165, 870, 1350, kBrown, u":", kDigit, true},
        {"Label1", 1, 5490, 240, 870, 1350, kBrown, u"0", kDigit, true},
        {"Label1", 0, 6135, 240, 870, 1350, kBrown, u"0", kDigit, true},
        // Epinephrine counter
        {"Label1", 11, 7320, 240, 840, 1350, kOlive, u"0", kDigit, true},
        {"Label1", 10, 7965, 240, 840, 1350, kOlive, u"0", kDigit, true},
        {"Label1", 14, 8445, 165, 840, 1350, kOlive, u":", kDigit, true},
        {"Label1", 9, 8925, 240, 840, 1350, kOlive, u"0", kDigit, true},
        {"Label1", 8, 9570, 240, 840, 1350, kOlive, u"0", kDigit, true},
        // Atropine counter
        {"Label9", 11, 11130, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label9", 10, 11775, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label9", 14, 12255, 165, 870, 1350, kOlive, u":", kDigit, true},
        {"Label9", 9, 12735, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label9", 8, 13380, 240, 870, 1350, kOlive, u"0", kDigit, true},
        // Antiarrhythmic counter
        {"Label8", 11, 14910, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label8", 10, 15555, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label8", 14, 16035, 165, 870, 1350, kOlive, u":", kDigit, true},
        {"Label8", 9, 16515, 240, 870, 1350, kOlive, u"0", kDigit, true},
        {"Label8", 8, 17160, 240, 870, 1350, kOlive, u"0", kDigit, true},
        // CPR counter, the large display
        {"Label6", 3, 8220, 1140, 2400, 3825, kOlive, u"0", kCprDigit, true},
        {"Label6", 2, 10350, 1140, 2400, 3825, kOlive, u"0", kCprDigit, true},
        {"Label6", 6, 11805, 1200, 2400, 3825, kOlive, u":", kCprSeparator, true},
        {"Label6", 1, 13275, 1155, 2400, 3825, kOlive, u"0", kCprDigit, true},
        {"Label6", 0, 15405, 1140, 2400, 3825, kOlive, u"0", kCprDigit, true},
        // Date (a sample until start-up writes today's)
        {"Label7", -1, 1635, 75, 1935, 420, kGreen, u"2003-06-04", {kArialBlack, 14.25, true}, true},
        // Reversible causes
        {"Label5", -1, 15720, 7740, 1605, 375, kWhite, u"６Ｈs５Ｔs", {kPGothic, 12, false}, false},
        {"Label2", -1, 15690, 8190, 2415, 2535, kYellow, kReversibleCauses, {kPGothic, 11.25, false}, false},
    };
    return table;
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
