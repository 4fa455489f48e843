#pragma once
// The platform services the main window depends on, gathered so the program
// can hand in the real ones and tests scripted ones.

namespace veltrasa {

class MessageBox;
class Clock;
class TimerFactory;
class ProgramEnd;
class DisplayKeeper;

struct Platform {
    MessageBox* messages = nullptr;
    Clock* clock = nullptr;
    TimerFactory* timers = nullptr;
    ProgramEnd* programEnd = nullptr;
    DisplayKeeper* display = nullptr; // optional
};

} // namespace veltrasa
