#include "record/RecordState.h"

#include <limits>

namespace veltrasa {

std::int16_t RecordState::increment(Tally t)
{
    auto& tally = tallies[static_cast<std::size_t>(t)];
    if (tally < std::numeric_limits<std::int16_t>::max())
        ++tally;
    return tally;
}

} // namespace veltrasa
