#include "record/ShutDown.h"

#include "platform/ProgramEnd.h"
#include "platform/Timer.h"

namespace veltrasa {

void Form_Unload(const ShutDownTargets& t)
{
    for (Timer* timer : t.timers)
        timer->setEnabled(false);
    if (t.exitSequence)
        t.exitSequence();
    t.programEnd.endProgram();
}

} // namespace veltrasa
