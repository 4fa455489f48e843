#pragma once
#include <QString>

namespace veltrasa {

// What becomes of the clipboard's text when the program ends.
enum class AfterExit {
    HandedOver, // the desktop's clipboard manager has saved it
    Kept,       // a keeper process of its own serves it
    Lost,       // it goes with the program
    NotCopied,  // it is not on the clipboard at all
};

// The system clipboard, as far as the record needs it: given one block of
// plain Unicode text, which should stay there once the program has ended.
// Nothing empties it first: should the text not take its place, whatever
// was there before stays.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Places the text on the clipboard and tells what becomes of it when the
    // program ends, or that it is not on the clipboard at all.
    virtual AfterExit setText(const QString& text) = 0;
};

} // namespace veltrasa
