#include "desktop/QtTimerFactory.h"
#include "platform/Timer.h"

#include <QDeadlineTimer>
#include <QTimer>

namespace veltrasa {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer()
    {
        timer_.setTimerType(Qt::CoarseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const int next = nextPeriod(QDeadlineTimer::current().deadline(), interval_);
            if (next != interval_ || timer_.interval() != interval_)
                timer_.start(next); // the first, aligned period is over, or back onto the grid
            deliverTick();
        });
    }
    void setInterval(int milliseconds) override
    {
        interval_ = milliseconds;
        // A new period starts the timer afresh, as it did with the old one.
        if (timer_.isActive())
            timer_.stop();
        apply();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override
    {
        enabled_ = enabled;
        apply();
    }
    bool isEnabled() const override { return enabled_; }

private:
    // A timer with period 0 never ticks (QTimer would fire continuously).
    void apply()
    {
        const bool run = enabled_ && interval_ > 0;
        if (run && !timer_.isActive())
            timer_.start(alignedFirstPeriod(QDeadlineTimer::current().deadline(), interval_));
        else if (!run && timer_.isActive())
            timer_.stop();
    }

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace

int alignedFirstPeriod(qint64 nowMs, int periodMs)
{
    constexpr qint64 kGrid = 1000;
    if (periodMs < kGrid)
        return periodMs;
    const qint64 due = nowMs + periodMs;
    const qint64 aligned = (due + kGrid / 2) / kGrid * kGrid;
    return int(aligned - nowMs);
}

int nextPeriod(qint64 nowMs, int periodMs)
{
    constexpr qint64 kGrid = 1000;
    constexpr qint64 kOffGrid = 100;
    if (periodMs < kGrid)
        return periodMs;
    const qint64 fromSecond = nowMs % kGrid;
    if (fromSecond <= kOffGrid || fromSecond >= kGrid - kOffGrid)
        return periodMs;
    return alignedFirstPeriod(nowMs, periodMs);
}

std::unique_ptr<Timer> QtTimerFactory::createTimer()
{
    return std::make_unique<QtTimer>();
}

} // namespace veltrasa
