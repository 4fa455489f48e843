#pragma once
#include <QDateTime>

namespace veltrasa {

// The local clock, and the clock the counters measure elapsed time on.
// Every reading the program shows or writes is formatted by the code that
// uses it, independently of the user's locale.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // Milliseconds on a clock that only runs forward: setting the wall
    // clock does not move it, and it goes on counting while the program is
    // stopped or the machine is suspended.
    virtual qint64 elapsedMs() const = 0;
};

} // namespace veltrasa
