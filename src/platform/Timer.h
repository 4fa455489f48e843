#pragma once
#include <QtGlobal>
#include <functional>
#include <memory>

namespace veltrasa {

// A periodic tick source with a period in milliseconds (the program gives
// every timer 1000). It ticks only while enabled and with a period above 0;
// enabling an enabled timer leaves it running.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }

protected:
    void deliverTick()
    {
        if (handler_)
            handler_();
    }

private:
    std::function<void()> handler_;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

// How long the first period of a timer started at `nowMs` on the monotonic
// clock lasts, so that it ends on the whole second nearest to one period
// from now. The clock and every counter then tick in one wake-up a second,
// whenever their buttons were pressed; a counter shows each new second at
// most half a second early or late, and never drifts. Periods under a
// second are kept.
int alignedFirstPeriod(qint64 nowMs, int periodMs);

// Qt's coarse timers, started on the whole-second grid above. Qt keeps them
// there: a coarse timer's period does not drift, and it is only ever moved
// towards a whole or half second.
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

} // namespace veltrasa
