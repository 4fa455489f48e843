#pragma once
// The main window frmMain, control by control: places and sizes in twips
// relative to the client area (15 twips = 1 pixel at 96 dpi), colours,
// fonts and the values each control holds when the window is created. The
// tables are constant, so that the keys below are checked when the program
// is built.

#include <QRgb>
#include <array>

#include "common/Colours.h"
#include "common/Texts.h"
#include "counters/CounterTable.h"
#include "ui/layout/ControlKey.h"
#include "ui/layout/FontFace.h"

namespace veltrasa::layout {

constexpr int kClientWidth = 18405;
constexpr int kClientHeight = 13035;
constexpr QRgb kWindowBackground = colours::kBlack;
constexpr QRgb kShapeFill = colours::kMidnight;

// A filled rectangle with a one-pixel border, of the control array Shape1
// or the single Shape2.
struct ShapeSpec {
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

struct RhythmButtonSpec {
    int index;
    int left;
    int focusOrder;
};

struct ListSpec {
    int left, top, width, height;
    QRgb background, text;
    FontSpec font;
    const char16_t* sampleRow;
    int focusOrder;
};

constexpr int kEventButtonWidth = 2715;
constexpr int kEventButtonHeight = 1005;
constexpr QRgb kEventButtonText = colours::kWhite;
constexpr FontSpec kEventButtonFont{kPGothic, 21.75, false};
constexpr int kPicturePanelHeight = 1020;

constexpr int kRhythmButtonTop = 11730;
constexpr int kRhythmButtonWidth = 1695;
constexpr int kRhythmButtonHeight = 855;
constexpr QRgb kRhythmButtonBackground = colours::kRhythmButton;
constexpr QRgb kRhythmButtonText = colours::kWhite;
constexpr FontSpec kRhythmButtonFont{kPGothic, 18, false};

// The fonts the tables share.
inline constexpr FontSpec kHeading{kGothic, 12, true};
inline constexpr FontSpec kDigit{kArialBlack, 48, true};
inline constexpr FontSpec kCprDigit{kArialBlack, 159.75, true};
inline constexpr FontSpec kCprSeparator{kArialBlack, 140.25, true};

// The shapes and labels, in the order they are created (bottom to top).
inline constexpr std::array<ShapeSpec, 8> kShapes = {{
    {"Shape1", 1, 45, 60, 3705, 1545, colours::kSilver},         // clock
    {"Shape1", 2, 3855, 60, 3135, 1545, colours::kSilver},       // arrival counter
    {"Shape1", 3, 7080, 60, 3705, 1545, colours::kSilver},       // epinephrine counter
    {"Shape1", 0, 10860, 60, 3705, 1545, colours::kSilver},      // atropine counter
    {"Shape1", 5, 14640, 60, 3705, 1545, colours::kSilver},      // antiarrhythmic counter
    {"Shape1", 4, 7065, 1680, 11280, 3375, colours::kPaleGrey},  // CPR counter
    {"Shape1", 6, 7050, 11100, 11280, 1815, colours::kPaleGrey}, // rhythm buttons
    {"Shape2", -1, 15540, 7590, 2745, 3345, colours::kWhite},    // reversible causes
}};

inline constexpr std::array<LabelSpec, 40> kLabels = {{
    // Headings
    {"Label4", 0, 165, 165, 1755, 420, colours::kWhite, texts::kClockHeading, kHeading, false},
    {"Label4", 1, 3975, 180, 2520, 360, colours::kWhite, texts::kArrivalCounterHeading, kHeading, false},
    {"Label4", 2, 7185, 1845, 7170, 615, colours::kWhite, texts::kEmpty, {kGothic, 15.75, true}, false},
    {"Label4", 3, 7170, 180, 3630, 360, colours::kWhite, texts::kEmpty, kHeading, false},
    {"Label4", 4, 10980, 180, 3510, 360, colours::kWhite, texts::kEmpty, kHeading, false},
    {"Label4", 5, 14760, 180, 3510, 360, colours::kWhite, texts::kEmpty, kHeading, false},
    {"Label4", 6, 7320, 11220, 4230, 360, colours::kWhite, texts::kRhythmCheckHeading, {kPGothic, 18, true}, false},
    // Clock, hours:minutes
    {"Label3", 3, 330, 240, 825, 1350, colours::kGreen, texts::kZeroDigit, kDigit, true},
    {"Label3", 2, 975, 240, 825, 1350, colours::kGreen, texts::kZeroDigit, kDigit, true},
    {"Label3", 4, 1740, 165, 270, 1350, colours::kGreen, texts::kSeparator, kDigit, true},
    {"Label3", 1, 1965, 240, 825, 1350, colours::kGreen, texts::kZeroDigit, kDigit, true},
    {"Label3", 0, 2610, 240, 825, 1350, colours::kGreen, texts::kZeroDigit, kDigit, true},
    // Arrival counter
    {"Label1", 3, 3855, 240, 870, 1350, colours::kBrown, texts::kZeroDigit, kDigit, true},
    {"Label1", 2, 4500, 240, 870, 1350, colours::kBrown, texts::kZeroDigit, kDigit, true},
    {"Label1", 6, 4980, 165, 870, 1350, colours::kBrown, texts::kSeparator, kDigit, true},
    {"Label1", 1, 5490, 240, 870, 1350, colours::kBrown, texts::kZeroDigit, kDigit, true},
    {"Label1", 0, 6135, 240, 870, 1350, colours::kBrown, texts::kZeroDigit, kDigit, true},
    // Epinephrine counter
    {"Label1", 11, 7320, 240, 840, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label1", 10, 7965, 240, 840, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label1", 14, 8445, 165, 840, 1350, colours::kOlive, texts::kSeparator, kDigit, true},
    {"Label1", 9, 8925, 240, 840, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label1", 8, 9570, 240, 840, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    // Atropine counter
    {"Label9", 11, 11130, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label9", 10, 11775, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label9", 14, 12255, 165, 870, 1350, colours::kOlive, texts::kSeparator, kDigit, true},
    {"Label9", 9, 12735, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label9", 8, 13380, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    // Antiarrhythmic counter
    {"Label8", 11, 14910, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label8", 10, 15555, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label8", 14, 16035, 165, 870, 1350, colours::kOlive, texts::kSeparator, kDigit, true},
    {"Label8", 9, 16515, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    {"Label8", 8, 17160, 240, 870, 1350, colours::kOlive, texts::kZeroDigit, kDigit, true},
    // CPR counter, the large display
    {"Label6", 3, 8220, 1140, 2400, 3825, colours::kOlive, texts::kZeroDigit, kCprDigit, true},
    {"Label6", 2, 10350, 1140, 2400, 3825, colours::kOlive, texts::kZeroDigit, kCprDigit, true},
    {"Label6", 6, 11805, 1200, 2400, 3825, colours::kOlive, texts::kSeparator, kCprSeparator, true},
    {"Label6", 1, 13275, 1155, 2400, 3825, colours::kOlive, texts::kZeroDigit, kCprDigit, true},
    {"Label6", 0, 15405, 1140, 2400, 3825, colours::kOlive, texts::kZeroDigit, kCprDigit, true},
    // Date (a sample until start-up writes today's)
    {"Label7", -1, 1635, 75, 1935, 420, colours::kGreen, texts::kSampleDate, {kArialBlack, 14.25, true}, true},
    // Reversible causes
    {"Label5",
     -1,
     15720,
     7740,
     1605,
     375,
     colours::kWhite,
     texts::kReversibleCausesHeading,
     {kPGothic, 12, false},
     false},
    {"Label2",
     -1,
     15690,
     8190,
     2415,
     2535,
     colours::kYellow,
     texts::kReversibleCauses,
     {kPGothic, 11.25, false},
     false},
}};

// Check1, by index.
inline constexpr std::array<EventButtonSpec, 16> kEventButtons = {{
    {0, 7080, 5250, colours::kNavy, 63},
    {1, 7080, 6420, colours::kNavy, 64},
    {2, 7080, 7590, colours::kNavy, 65},
    {3, 7080, 8760, colours::kNavy, 66},
    {4, 7080, 9930, colours::kNavy, 67},
    {5, 9840, 5250, colours::kNavy, 68},
    {6, 9840, 6420, colours::kNavy, 69},
    {7, 9840, 7590, colours::kNavy, 70},
    {8, 9840, 8760, colours::kNavy, 71},
    {9, 9840, 9930, colours::kNavy, 72},
    {10, 12630, 5250, colours::kNavy, 73},
    {11, 12630, 6420, colours::kNavy, 74},
    {12, 12630, 7590, colours::kNavy, 75},
    {13, 12630, 8760, colours::kNavy, 76},
    {14, 12630, 9930, colours::kNavy, 77},
    {15, 15600, 5250, colours::kMaroon, 78},
}};

// The picture panels beneath the event buttons, CommandN.
inline constexpr std::array<PicturePanelSpec, 16> kPicturePanels = {{
    {1, 7080, 5250, texts::kArrival, 0},
    {2, 7080, 6420, texts::kCprStartLettering, 6},
    {3, 7080, 7590, texts::kDefibrillation, 7},
    {5, 7080, 8760, texts::kIvAccess, 9},
    {4, 7080, 9930, texts::kIntubation, 8},
    {6, 9855, 5250, texts::kEpinephrine, 10},
    {7, 9855, 6420, texts::kAtropine, 11},
    {16, 9855, 7590, texts::kAncaron, 51},
    {17, 9855, 8760, texts::kShinbit, 52},
    {8, 9855, 9930, texts::kXylocaine, 12},
    {9, 12630, 5250, texts::kMagnesol, 13},
    {10, 12630, 6420, texts::kMeylon, 14},
    {12, 12630, 7590, texts::kInfusionAdded, 16},
    {11, 12630, 8760, texts::kDopamineLettering, 15},
    {18, 12630, 9930, texts::kPacing, 53},
    {15, 15600, 5250, texts::kCprEndLettering, 1},
}};

// Option1, left to right (their places do not follow their indexes).
inline constexpr std::array<RhythmButtonSpec, 6> kRhythmButtons = {{
    {0, 7290, 54},
    {1, 9108, 55},
    {3, 10926, 57},
    {4, 12744, 58},
    {2, 14562, 56},
    {5, 16380, 59},
}};

// List1.
inline constexpr ListSpec kRecordList{
    120, 1695, 6870, 11220, colours::kDarkGrey, colours::kSilver, {kGothic, 18, false}, texts::kSampleRow, 2};

// A label or shape of the main window by form name and index.
using LabelKey = ControlKey<kLabels>;
using ShapeKey = ControlKey<kShapes>;

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

// A counter's labels, as its row of the counter table names them.
struct CounterLabels {
    std::array<LabelKey, 4> digits; // by display position, 0 = rightmost
    LabelKey separator;
    LabelKey title;
};
constexpr CounterLabels counterLabels(const CounterSpec& c)
{
    const auto digit = [&c](std::size_t p) { return LabelKey::of(c.labelArray, c.digitIndexes[p]); };
    return {{digit(0), digit(1), digit(2), digit(3)},
            LabelKey::of(c.labelArray, c.separatorIndex),
            LabelKey::of(kCounterTitleArray, c.titleIndex)};
}
inline constexpr std::array<CounterLabels, kCounterCount> kCounterLabels{
    counterLabels(counter_table::kCounterTable[0]), counterLabels(counter_table::kCounterTable[1]),
    counterLabels(counter_table::kCounterTable[2]), counterLabels(counter_table::kCounterTable[3]),
    counterLabels(counter_table::kCounterTable[4])};
} // namespace keys

} // namespace veltrasa::layout
