#pragma once
#include <QString>

#include "platform/ClipboardKeeper.h"

namespace veltrasa {

// The system clipboard, as far as the record needs it: emptied, then given
// one block of plain Unicode text, which should stay there once the program
// has ended.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Places the text on the clipboard and tells what becomes of it when the
    // program ends.
    virtual AfterExit setText(const QString& text) = 0;
};

// Qt's clipboard. On X11 the text belongs to this program and would go with
// it; so once it is placed, the desktop's clipboard manager is asked to save
// it, and where none confirms that it has, a keeper process takes the
// clipboard over and serves the text after the program has ended.
class QtClipboard final : public Clipboard {
public:
    explicit QtClipboard(ClipboardKeeping& keeping) : keeping_(keeping) {}
    void clear() override;
    AfterExit setText(const QString& text) override;

private:
    ClipboardKeeping& keeping_;
};

} // namespace veltrasa
