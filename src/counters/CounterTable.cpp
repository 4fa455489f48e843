#include "counters/CounterTable.h"

namespace veltrasa {

const std::array<CounterSpec, kCounterCount>& counterTable()
{
    return counter_table::kCounterTable;
}

const CounterSpec& counterSpec(CounterId id)
{
    return counter_table::kCounterTable[static_cast<std::size_t>(id)];
}

} // namespace veltrasa
