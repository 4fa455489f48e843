#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

#include "desktop/ClipboardKeeping.h"
#include "platform/Clipboard.h"

namespace veltrasa {

// Qt's clipboard. On X11 the text belongs to this program and would go with
// it; so once it is placed, and the program has checked that it owns the
// clipboard and reads the text back, the desktop's clipboard manager is
// asked to save it, and where none has really taken it over, a keeper
// process takes the clipboard over and serves the text after the program
// has ended.
class QtClipboard final : public Clipboard {
public:
    explicit QtClipboard(ClipboardKeeping& keeping) : keeping_(keeping) {}
    AfterExit setText(const QString& text) override;

private:
    ClipboardKeeping& keeping_;
};

// What becomes of text that the program has placed on the clipboard, or
// failed to: `programOwns` tells whether the clipboard is the program's,
// with the text. The manager is asked only to save what the program owns;
// the keeper is asked where the manager did not take it over, also when
// the program could not place it (a keeper that serves it has placed it
// after all). Where neither keeps it, the text is on the clipboard only if
// the program still owns it: any other owner (a keeper that took it and
// stopped answering, say) leaves nothing that could be pasted. The whole
// check ends within kCopyCheckMs.
AfterExit keepClipboardText(const std::function<bool()>& programOwns, const QByteArray& utf8,
                            ClipboardKeeping& keeping);
constexpr int kCopyCheckMs = 5000;

} // namespace veltrasa
