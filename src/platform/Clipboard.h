#pragma once
#include <QString>

namespace veltrasa {

// The system clipboard, as far as the record needs it: emptied, then given
// one block of plain Unicode text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
};

// Qt's clipboard. On X11 the text belongs to this program; when the
// program ends, Qt hands it to the desktop's clipboard manager if one runs
// (the CLIPBOARD_MANAGER selection), so the report can still be pasted, and
// skips the hand-over without waiting when none runs.
class QtClipboard final : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace veltrasa
