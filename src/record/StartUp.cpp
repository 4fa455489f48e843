#include "record/StartUp.h"

#include "counters/ClockDisplay.h"
#include "platform/Controls.h"
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

} // namespace veltrasa
