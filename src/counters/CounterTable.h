#pragma once
#include <array>

#include <QRgb>

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

const std::array<CounterSpec, kCounterCount>& counterTable();
const CounterSpec& counterSpec(CounterId id);

} // namespace veltrasa
