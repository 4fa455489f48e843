#include "Scripted.h"

namespace veltrasa::testing {

Answer ScriptedMessageBox::ask(const QString& text, Answer byDefault)
{
    shown.push_back({ShownMessage::Question, text, byDefault});
    if (answers_.empty()) {
        ++unexpectedQuestions;
        return Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

} // namespace veltrasa::testing
