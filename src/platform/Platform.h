#pragma once
// The platform services the main window depends on, gathered so the program
// can hand in the real ones and tests scripted ones.

namespace veltrasa {

class MessageBox;
class Clock;
class TimerFactory;
class ProgramEnd;
class Clipboard;
class SaveFileDialog;
class Printer;

struct Platform {
    MessageBox* messages = nullptr;
    Clock* clock = nullptr;
    TimerFactory* timers = nullptr;
    ProgramEnd* programEnd = nullptr;
    // The record's outputs.
    Clipboard* clipboard = nullptr;
    SaveFileDialog* saveDialog = nullptr;
    Printer* printer = nullptr;
};

} // namespace veltrasa
