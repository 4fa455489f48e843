#pragma once
#include <functional>
#include <memory>

namespace veltrasa {

// A periodic one-second tick source. It ticks only while enabled and with a
// period above 0; enabling an enabled timer leaves it running.
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

// Qt's precise timers: a 1000 ms period does not drift.
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

} // namespace veltrasa
