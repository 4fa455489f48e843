#include "platform/Timer.h"

#include <QTimer>

namespace veltrasa {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { deliverTick(); });
    }
    void setInterval(int milliseconds) override
    {
        interval_ = milliseconds;
        timer_.setInterval(milliseconds);
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
            timer_.start();
        else if (!run && timer_.isActive())
            timer_.stop();
    }

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::createTimer()
{
    return std::make_unique<QtTimer>();
}

} // namespace veltrasa
