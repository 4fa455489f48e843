#include "Scripted.h"

namespace veltrasa::testing {

Answer ScriptedMessageBox::question(const QString& text)
{
    shown.push_back({ShownMessage::Question, text});
    if (answers_.empty()) {
        ++unexpectedQuestions;
        return Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

} // namespace veltrasa::testing
