#include "desktop/SystemClock.h"

#include <ctime>

namespace veltrasa {

qint64 SystemClock::elapsedMs() const
{
    timespec ts{};
    // Every Linux since 2.6.39 has the boot-time clock; an older kernel
    // gets the monotonic one, which misses only suspended time.
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
        clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

} // namespace veltrasa
