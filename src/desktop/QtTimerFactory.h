#pragma once
#include <QtGlobal>
#include <memory>

#include "platform/Timer.h"
#include "platform/TimerFactory.h"

namespace veltrasa {

// How long the first period of a timer started at `nowMs` on the monotonic
// clock lasts, so that it ends on the whole second nearest to one period
// from now. The clock and every counter then tick in one wake-up a second,
// whenever their buttons were pressed. Periods under a second are kept.
int alignedFirstPeriod(qint64 nowMs, int periodMs);

// The period that follows a tick delivered at `nowMs`: the timer's own, or,
// after a tick far off the whole second, the one that brings it back. Qt
// starts the period after a tick more than a period late (the program was
// stopped, or the machine too busy) from the moment of that tick, off the
// second; then the clock and the counters started later would no longer
// tick in one wake-up.
int nextPeriod(qint64 nowMs, int periodMs);

// Qt's coarse timers, started on the whole-second grid above. Qt keeps them
// there while their ticks come in time: a coarse timer's period does not
// drift, and it is only ever moved towards a whole or half second. After a
// stall `nextPeriod` puts them back on the grid.
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

} // namespace veltrasa
