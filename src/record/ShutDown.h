#pragma once
#include <array>
#include <functional>

#include "record/StartUp.h"

namespace veltrasa {

class ProgramEnd;

// The main window's unload handler: every display freezes, the exit
// sequence offers the record's outputs, and the program ends.
struct ShutDownTargets {
    std::array<Timer*, kTimerCount> timers;
    std::function<void()> exitSequence;
    ProgramEnd& programEnd;
};

void Form_Unload(const ShutDownTargets& t);

} // namespace veltrasa
