#pragma once
#include <memory>

#include "platform/Timer.h"

namespace veltrasa {

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

} // namespace veltrasa
