#pragma once
#include <array>
#include <functional>

namespace veltrasa {

class ClockDisplay;
class RecordList;
class Timer;
class Visibility;
struct RecordState;

constexpr int kTimerCount = 6; // Timer1 (clock) .. Timer6
constexpr int kTickMilliseconds = 1000;

struct StartUpTargets {
    ClockDisplay& clock;
    RecordList& list;
    RecordState& state;
    std::array<Visibility*, 3> reversibleCausesPanel; // Shape2, Label5, Label2
    std::function<void()> clearUndoBuffer;
    std::array<Timer*, kTimerCount> timers;
};

// The main window's load handler: an empty record with only the clock
// running and every counter at rest. Runs before the window is first shown.
void Form_Load(const StartUpTargets& t);

} // namespace veltrasa
