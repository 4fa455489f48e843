#include "record/StartUp.h"

#include "common/Texts.h"
#include "controls/RecordList.h"
#include "controls/Visibility.h"
#include "counters/ClockDisplay.h"
#include "platform/MessageBox.h"
#include "platform/OpenRecords.h"
#include "platform/Timer.h"
#include "record/RecordState.h"

namespace veltrasa {

void Form_Load(const StartUpTargets& t)
{
    t.clock.initClockDisplay();
    t.list.clear();
    t.clock.showToday();
    t.state.tallies = {};
    t.clock.colonDimmed = false;
    t.clock.arrivalRecorded = false;
    for (Visibility* part : t.reversibleCausesPanel)
        part->setShown(false);
    if (t.clearUndoBuffer)
        t.clearUndoBuffer();
    t.timers[0]->setEnabled(true);
    t.timers[0]->setInterval(kTickMilliseconds);
    for (std::size_t i = 1; i < t.timers.size(); ++i) {
        t.timers[i]->setEnabled(false);
        t.timers[i]->setInterval(kTickMilliseconds);
    }
}

const QString& anotherRecordQuestion()
{
    static const QString text = QString::fromUtf16(texts::kAnotherRecordQuestion);
    return text;
}

std::optional<int> openRecordPlace(OpenRecords& records, MessageBox& messages)
{
    if (const std::optional<int> place = records.claimIfAlone())
        return place;
    // Two windows of the same size in the same place look like one: a second
    // record is only started when asked for.
    if (messages.questionDefaultNo(anotherRecordQuestion()) == Answer::Yes)
        return records.claim();
    // Where the open record has ended meanwhile, or another start asked at
    // the same moment and declined too, nothing is left to bring to the
    // front: this start opens its record after all.
    if (const std::optional<int> place = records.claimIfAlone())
        return place;
    records.raiseOpenRecord();
    return std::nullopt;
}

} // namespace veltrasa
