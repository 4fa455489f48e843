#pragma once
#include <QByteArray>
#include <QDeadlineTimer>

namespace veltrasa {

// The desktop's means of keeping the clipboard once the program has ended,
// each given the text (UTF-8) the clipboard should hold. Both count as done
// only when the clipboard is theirs and reading it gives exactly that text
// before `deadline`: an owner that does not answer in time has not kept it.
// Both run the event loop, user input waiting, while they wait.
class ClipboardKeeping {
public:
    virtual ~ClipboardKeeping() = default;
    // Asks the desktop's clipboard manager to save what the program has
    // placed on the clipboard now; true only when it answers that it has
    // and has then taken the clipboard over with the text.
    virtual bool handOverToManager(const QByteArray& utf8, QDeadlineTimer deadline) = 0;
    // Starts a keeper process that takes the clipboard over and serves the
    // text until another program takes it or the display goes away; true
    // when it serves it.
    virtual bool startKeeper(const QByteArray& utf8, QDeadlineTimer deadline) = 0;
};

} // namespace veltrasa
