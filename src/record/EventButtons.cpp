#include "record/EventButtons.h"

#include "controls/EventButton.h"
#include "controls/Label.h"
#include "counters/DigitCounter.h"
#include "platform/MessageBox.h"
#include "record/RecordState.h"
#include "record/RecordWriter.h"

namespace veltrasa {

void EventButtons::onEventPressed(int index)
{
    if (index < 0 || index >= kEventButtonCount)
        return;
    EventButton* button = targets_.buttons[static_cast<std::size_t>(index)];
    if (!button->isHeldDown())
        return; // the handler's own release, not a press
    if (index == kEndOfCprEvent)
        confirmEndOfRecord();
    else
        recordEvent(index);
    button->setHeldDown(false);
}

void EventButtons::recordEvent(int index)
{
    const EventEntry& entry = eventCatalogue()[static_cast<std::size_t>(index)];
    DigitCounter* counter = entry.counter ? targets_.counters[static_cast<std::size_t>(*entry.counter)] : nullptr;

    // The counter starts before its tally, title and digits change; the row
    // is written after every counter change.
    if (counter)
        counter->startCounter();
    const int n = entry.tally ? targets_.state.increment(*entry.tally) : 0;
    if (entry.titleHead && entry.counter)
        targets_.titles[static_cast<std::size_t>(*entry.counter)]->setText(eventTitleText(entry, n));
    if (counter) {
        counter->setDigitColour(counter->params().activeColour);
        counter->resetDigits(); // does nothing to a counter that is never zeroed
    }
    targets_.writer.appendRecordRow(eventRowText(entry, n));
    if (index == kArrivalEvent && targets_.arrivalRecorded)
        targets_.arrivalRecorded();
}

void EventButtons::confirmEndOfRecord()
{
    // Released at once, so the button is up while the question is open.
    targets_.buttons[kEndOfCprEvent]->setHeldDown(false);
    if (targets_.messages.question(endOfRecordQuestion()) != Answer::Yes)
        return;
    const EventEntry& entry = eventCatalogue()[kEndOfCprEvent];
    targets_.writer.appendRecordRow(eventRowText(entry, 0));
    if (targets_.closeMainWindow)
        targets_.closeMainWindow();
}

} // namespace veltrasa
