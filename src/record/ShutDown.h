#pragma once
#include <array>
#include <functional>

#include "record/StartUp.h"

namespace veltrasa {

class MessageBox;
class ProgramEnd;

// The main window's unload handler: every display freezes, the exit
// sequence offers the record's outputs, and the program ends.
struct ShutDownTargets {
    std::array<Timer*, kTimerCount> timers;
    std::function<void()> exitSequence;
    ProgramEnd& programEnd;
};

void Form_Unload(const ShutDownTargets& t);

// The questions and exports the exit sequence is made of: save as a text
// file? If not, print? Then, whatever was answered or went wrong, the
// clipboard copy. RecordOutput::exitSequence binds the steps to its services.
struct ExitSteps {
    MessageBox& messages;
    std::function<void()> saveRecordAsText;
    std::function<void()> printRecord;
    std::function<void()> copyRecordToClipboard;
};

void askAndExport(const ExitSteps& s);

} // namespace veltrasa
