#pragma once
#include <functional>

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

} // namespace veltrasa
