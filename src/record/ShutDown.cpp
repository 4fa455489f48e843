#include "record/ShutDown.h"

#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"

namespace veltrasa {

const char16_t* const kSaveQuestion = u"記録の内容をテキストファイルにして保存しますか？    ";
const char16_t* const kPrintQuestion = u"記録の印刷をしますか？";

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
    if (askedYes(s.messages, kSaveQuestion))
        run(s.saveRecordAsText);
    else if (askedYes(s.messages, kPrintQuestion))
        run(s.printRecord);
    run(s.copyRecordToClipboard);
}

} // namespace veltrasa
