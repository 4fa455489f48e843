#pragma once
#include <array>
#include <functional>
#include <optional>

class QString;

namespace veltrasa {

class ClockDisplay;
class MessageBox;
class OpenRecords;
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

// Asked of a start while another record is open on the same display: a
// second, separate record? (Yes/No, No the default.)
const QString& anotherRecordQuestion();

// Before any window is made: whether this start opens a record, and at
// which place among the open records (where its window goes). Alone, it
// does without a question. While another record is open it asks
// anotherRecordQuestion: Yes opens a second record at a place of its own;
// No brings the open record's window to the front and opens none, unless
// no record is open any more, when this start opens its own.
std::optional<int> openRecordPlace(OpenRecords& records, MessageBox& messages);

} // namespace veltrasa
