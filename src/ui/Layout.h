#pragma once
// The main window, control by control: places and sizes in twips relative
// to the client area (15 twips = 1 pixel at 96 dpi), colours, fonts and the
// values each control holds when the window is created.

#include <QRect>
#include <QRgb>
#include <array>
#include <stdexcept>
#include <vector>

namespace veltrasa::layout {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 18405;
constexpr int kClientHeight = 13035;
constexpr QRgb kWindowBackground = 0xFF000000;
constexpr QRgb kPanelFill = 0xFF000040;

// Twips to logical pixels at 96 dpi.
constexpr int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// How large a window is shown against its layout: factor 1 where the screen
// holds it as laid out, less where it is shown smaller to fit. One factor
// scales every place, size, font, picture and border, so the proportions
// are kept.
class Scale {
public:
    constexpr Scale() = default;
    constexpr explicit Scale(double factor) : factor_(factor) {}
    constexpr double factor() const { return factor_; }
    bool operator==(const Scale& other) const { return factor_ == other.factor_; }
    bool operator!=(const Scale& other) const { return !(*this == other); }

    // Twips to pixels, rounded to the nearest pixel (at factor 1, px()).
    int px(int twips) const;
    // A rectangle in twips, each edge rounded on its own: controls that
    // meet in twips meet on the screen.
    QRect rect(int left, int top, int width, int height) const;
    // A length drawn in pixels at 96 dpi (a picture, an inset).
    int pixels(int pixels) const;
    QSize size(QSize pixels) const { return {this->pixels(pixels.width()), this->pixels(pixels.height())}; }
    // The width of a line drawn `pixels` wide at 96 dpi; never thinner than
    // one pixel.
    int line(int pixels) const;
    double points(double points) const { return points * factor_; }

private:
    double factor_ = 1.0;
};

inline constexpr const char16_t* kPGothic = u"ＭＳ Ｐゴシック";
inline constexpr const char16_t* kGothic = u"ＭＳ ゴシック";
inline constexpr const char16_t* kArialBlack = u"Arial Black";

struct FontSpec {
    const char16_t* family;
    double points;
    bool bold;
};

struct PanelSpec {
    const char* name; // "Shape1" or "Shape2"
    int index;        // -1 for a single control
    int left, top, width, height;
    QRgb border;
};

struct LabelSpec {
    const char* name;
    int index;
    int left, top, width, height;
    QRgb colour;
    const char16_t* text;
    FontSpec font;
    bool centred;
};

struct EventButtonSpec {
    int index;
    int left, top;
    QRgb background;
    int focusOrder;
};

struct PicturePanelSpec {
    int number; // CommandN
    int left, top;
    const char16_t* lettering;
    int focusOrder;
};

struct OptionButtonSpec {
    int index;
    int left;
    int focusOrder;
};

constexpr int kEventButtonWidth = 2715;
constexpr int kEventButtonHeight = 1005;
constexpr QRgb kEventButtonText = 0xFFFFFFFF;
constexpr FontSpec kEventButtonFont{kPGothic, 21.75, false};
constexpr int kPicturePanelHeight = 1020;

constexpr int kOptionTop = 11730;
constexpr int kOptionWidth = 1695;
constexpr int kOptionHeight = 855;
constexpr QRgb kOptionBackground = 0xFF000080;
constexpr QRgb kOptionText = 0xFFFFFFFF;
constexpr FontSpec kOptionFont{kPGothic, 18, false};

struct ListSpec {
    int left, top, width, height;
    QRgb background, text;
    FontSpec font;
    const char16_t* sampleRow;
    int focusOrder;
};

const std::vector<EventButtonSpec>& eventButtons();
const std::vector<PicturePanelSpec>& picturePanels();
const std::vector<OptionButtonSpec>& optionButtons();
const ListSpec& recordList();

namespace detail {
inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kGreen = 0xFF00FF00;
inline constexpr QRgb kBrown = 0xFF804000;
inline constexpr QRgb kOlive = 0xFF808000;
inline constexpr QRgb kYellow = 0xFFFFFF00;
inline constexpr QRgb kTopBorder = 0xFFC0C0C0;
inline constexpr QRgb kLargeBorder = 0xFFE0E0E0;

inline constexpr FontSpec kHeading{kGothic, 12, true};
inline constexpr FontSpec kDigit{kArialBlack, 48, true};
inline constexpr FontSpec kCprDigit{kArialBlack, 159.75, true};
inline constexpr FontSpec kCprSeparator{kArialBlack, 140.25, true};

inline constexpr const char16_t* kReversibleCauses = u"・循環血液量減少\r\n"
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

// The panels and labels, in the order they are created (bottom to top).
// Constant, so that a control's key is checked when the program is built.
inline constexpr std::array<PanelSpec, 8> kPanels = {{
    {"Shape1", 1, 45, 60, 3705, 1545, kTopBorder},         // clock
    {"Shape1", 2, 3855, 60, 3135, 1545, kTopBorder},       // arrival counter
    {"Shape1", 3, 7080, 60, 3705, 1545, kTopBorder},       // epinephrine counter
    {"Shape1", 0, 10860, 60, 3705, 1545, kTopBorder},      // atropine counter
    {"Shape1", 5, 14640, 60, 3705, 1545, kTopBorder},      // antiarrhythmic counter
    {"Shape1", 4, 7065, 1680, 11280, 3375, kLargeBorder},  // CPR counter
    {"Shape1", 6, 7050, 11100, 11280, 1815, kLargeBorder}, // rhythm buttons
    {"Shape2", -1, 15540, 7590, 2745, 3345, kWhite},       // reversible causes
}};

inline constexpr std::array<LabelSpec, 40> kLabels = {{
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
}};
} // namespace detail

inline constexpr const auto& panels()
{
    return detail::kPanels;
}
inline constexpr const auto& labels()
{
    return detail::kLabels;
}

namespace detail {
constexpr bool sameName(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

template <typename Table> constexpr bool contains(const Table& table, const char* name, int index)
{
    for (const auto& row : table) {
        if (row.index == index && sameName(row.name, name))
            return true;
    }
    return false;
}
} // namespace detail

// Whether the layout has a label (a panel) of that form name and index.
constexpr bool hasLabel(const char* name, int index = -1)
{
    return detail::contains(detail::kLabels, name, index);
}
constexpr bool hasPanel(const char* name, int index = -1)
{
    return detail::contains(detail::kPanels, name, index);
}

// A label or panel of the main window by form name and index (-1 for a
// single control). Made only by of(), which throws when the layout has no
// such control: a key defined constexpr does not compile with a typo.
template <bool (*Exists)(const char*, int)> class ControlKey {
public:
    static constexpr ControlKey of(const char* name, int index = -1)
    {
        return Exists(name, index) ? ControlKey(name, index)
                                   : throw std::invalid_argument("no such control in the main window's layout");
    }
    constexpr const char* name() const { return name_; }
    constexpr int index() const { return index_; }

private:
    constexpr ControlKey(const char* name, int index) : name_(name), index_(index) {}
    const char* name_;
    int index_;
};
using LabelKey = ControlKey<hasLabel>;
using ShapeKey = ControlKey<hasPanel>;

// The controls the window's logic addresses by themselves.
namespace keys {
// The clock: hours and minutes by display position (0 = rightmost), the
// colon, and the date above it.
inline constexpr std::array<LabelKey, 4> kClockDigits{LabelKey::of("Label3", 0), LabelKey::of("Label3", 1),
                                                      LabelKey::of("Label3", 2), LabelKey::of("Label3", 3)};
inline constexpr LabelKey kClockSeparator = LabelKey::of("Label3", 4);
inline constexpr LabelKey kDateLabel = LabelKey::of("Label7");
// The arrival counter's colon, which the clock blinks.
inline constexpr LabelKey kArrivalSeparator = LabelKey::of("Label1", 6);
// The box of reversible causes: its frame, heading and list.
inline constexpr ShapeKey kReversibleCausesBox = ShapeKey::of("Shape2");
inline constexpr LabelKey kReversibleCausesHeading = LabelKey::of("Label5");
inline constexpr LabelKey kReversibleCausesList = LabelKey::of("Label2");
} // namespace keys

} // namespace veltrasa::layout
