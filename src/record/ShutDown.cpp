#include "record/ShutDown.h"

#include "common/Texts.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"

namespace veltrasa {

namespace {
// A step that fails is skipped and the next one runs: nothing may keep the
// record from reaching the clipboard, or the program from ending.
template <typename Step> void ignoringFailure(Step&& step)
{
    try {
        step();
    } catch (...) {
    }
}

bool askedYes(MessageBox& messages, const char16_t* question)
{
    Answer answer = Answer::No;
    ignoringFailure([&] { answer = messages.question(QString::fromUtf16(question)); });
    return answer == Answer::Yes;
}

void run(const std::function<void()>& step)
{
    if (step)
        ignoringFailure(step);
}
} // namespace

void Form_Unload(const ShutDownTargets& t)
{
    for (Timer* timer : t.timers)
        ignoringFailure([timer] { timer->setEnabled(false); });
    run(t.exitSequence);
    t.programEnd.endProgram();
}

void askAndExport(const ExitSteps& s)
{
    if (askedYes(s.messages, texts::kSaveQuestion))
        run(s.saveRecordAsText);
    else if (askedYes(s.messages, texts::kPrintQuestion))
        run(s.printRecord);
    run(s.copyRecordToClipboard);
}

} // namespace veltrasa
