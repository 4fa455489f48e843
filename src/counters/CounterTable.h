#pragma once
#include <array>

#include <QRgb>

#include "common/Colours.h"
#include "counters/DigitCounter.h"

namespace veltrasa {

enum class CounterId { Arrival, Cpr, Epinephrine, Atropine, Antiarrhythmic };
constexpr int kCounterCount = 5;

// The label array of the counters' headings.
inline constexpr const char* kCounterTitleArray = "Label4";

// One of the five counters of the main window: its timer, the labels that
// show it and its colours. Digit labels are listed by display position
// (0 = rightmost); all of a counter's labels belong to one label array.
struct CounterSpec {
    CounterId id;
    int timerNumber;        // Timer2 .. Timer6
    const char* labelArray; // "Label1", "Label6", "Label8", "Label9"
    std::array<int, 4> digitIndexes;
    int separatorIndex;
    int titleIndex; // index into kCounterTitleArray
    QRgb idleColour;
    DigitCounterParams params;
};

namespace counter_table {
using colours::kBrown;
using colours::kOlive;
using colours::kOrange;
using colours::kYellow;
inline constexpr int kNoThreshold = -1;

// Each counter names its labels by control array and index: the digits
// shown at display positions 0 (rightmost) to 3 and the separator. The
// three drug counters' labels carry the indexes 8 to 11 and 14, the others
// 0 to 3 and 6. Every counter's own cells are numbered 0 to 5.
inline constexpr std::array<CounterSpec, kCounterCount> kCounterTable = {{
    // id, timer, labels, digits by position, separator, title, idle, {first cell, due, active, reset}
    {CounterId::Arrival, 2, "Label1", {0, 1, 2, 3}, 6, 1, kBrown, {2, kNoThreshold, kOrange, false}},
    {CounterId::Cpr, 3, "Label6", {0, 1, 2, 3}, 6, 2, kOlive, {0, 2, kYellow, true}},
    {CounterId::Epinephrine, 4, "Label1", {8, 9, 10, 11}, 14, 3, kOlive, {0, 3, kYellow, true}},
    {CounterId::Atropine, 5, "Label9", {8, 9, 10, 11}, 14, 4, kOlive, {0, 3, kYellow, true}},
    {CounterId::Antiarrhythmic, 6, "Label8", {8, 9, 10, 11}, 14, 5, kOlive, {0, kNoThreshold, kYellow, true}},
}};
} // namespace counter_table

const std::array<CounterSpec, kCounterCount>& counterTable();
const CounterSpec& counterSpec(CounterId id);

} // namespace veltrasa
