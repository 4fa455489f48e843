#include "counters/CounterTable.h"

namespace veltrasa {
namespace {
constexpr QRgb kBrown = 0xFF804000;
constexpr QRgb kOrange = 0xFFFF8000;
constexpr QRgb kOlive = 0xFF808000;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr int kNoThreshold = -1;

// Each counter names its labels by control array and index: the digits
// shown at display positions 0 (rightmost) to 3 and the separator. The
// three drug counters' labels carry the indexes 8 to 11 and 14, the others
// 0 to 3 and 6. Every counter's own cells are numbered 0 to 5.
const std::array<CounterSpec, kCounterCount> kTable = {{
    // id, timer, labels, digits by position, separator, title, idle, {first cell, due, active, reset}
    {CounterId::Arrival, 2, "Label1", {0, 1, 2, 3}, 6, 1, kBrown, {2, kNoThreshold, kOrange, false}},
    {CounterId::Cpr, 3, "Label6", {0, 1, 2, 3}, 6, 2, kOlive, {0, 2, kYellow, true}},
    {CounterId::Epinephrine, 4, "Label1", {8, 9, 10, 11}, 14, 3, kOlive, {0, 3, kYellow, true}},
    {CounterId::Atropine, 5, "Label9", {8, 9, 10, 11}, 14, 4, kOlive, {0, 3, kYellow, true}},
    {CounterId::Antiarrhythmic, 6, "Label8", {8, 9, 10, 11}, 14, 5, kOlive, {0, kNoThreshold, kYellow, true}},
}};
} // namespace

const std::array<CounterSpec, kCounterCount>& counterTable()
{
    return kTable;
}

const CounterSpec& counterSpec(CounterId id)
{
    return kTable[static_cast<std::size_t>(id)];
}

} // namespace veltrasa
