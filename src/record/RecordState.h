#pragma once
#include <array>
#include <cstdint>

namespace veltrasa {

enum class Tally { Defibrillation, Epinephrine, Atropine, Ancaron, Shinbit, Xylocaine, Magnesol };
constexpr int kTallyCount = 7;

// The state of one resuscitation record, held by the main window for the
// life of the program. Tallies are 16-bit and stop at 32767.
struct RecordState {
    std::array<std::int16_t, kTallyCount> tallies{};

    std::int16_t count(Tally t) const { return tallies[static_cast<std::size_t>(t)]; }
    // Adds one press; a tally at 32767 keeps that value. Returns the new value.
    std::int16_t increment(Tally t);

    std::int16_t defibrillationCount() const { return count(Tally::Defibrillation); }
    std::int16_t epinephrineCount() const { return count(Tally::Epinephrine); }
    std::int16_t ancaronCount() const { return count(Tally::Ancaron); }
    std::int16_t shinbitCount() const { return count(Tally::Shinbit); }
    std::int16_t xylocaineCount() const { return count(Tally::Xylocaine); }
};

} // namespace veltrasa
