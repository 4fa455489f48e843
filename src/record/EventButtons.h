#pragma once
#include <array>
#include <functional>

#include "counters/CounterTable.h"
#include "record/EventCatalogue.h"

namespace veltrasa {

class DigitCounter;
class EventButton;
class Label;
class MessageBox;
class RecordWriter;
struct RecordState;

// The sixteen event buttons' shared handler.
class EventButtons {
public:
    struct Targets {
        RecordState& state;
        RecordWriter& writer;
        std::array<EventButton*, kEventButtonCount> buttons;
        std::array<DigitCounter*, kCounterCount> counters; // by CounterId
        std::array<Label*, kCounterCount> titles;          // by CounterId
        MessageBox& messages;
        std::function<void()> closeMainWindow;
        // Called after each arrival's row is written (the clock then blinks
        // the arrival counter's separator).
        std::function<void()> arrivalRecorded;
    };

    explicit EventButtons(Targets targets) : targets_(std::move(targets)) {}

    // Called once a press has put button `index` down; releases it again.
    void onEventPressed(int index);

private:
    void recordEvent(int index);
    void confirmEndOfRecord();

    Targets targets_;
};

} // namespace veltrasa
