#pragma once

#include "platform/Clock.h"

namespace veltrasa {

// The wall clock of the desktop, and Linux's boot-time clock
// (CLOCK_BOOTTIME: monotonic, and counting suspended time, which
// CLOCK_MONOTONIC and so Qt's own timers do not).
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 elapsedMs() const override;
};

} // namespace veltrasa
