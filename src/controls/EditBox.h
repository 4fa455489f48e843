#pragma once
#include <QString>

namespace veltrasa {

// A single-line edit box.
class EditBox {
public:
    virtual ~EditBox() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    // Puts the caret `position` characters from the start, nothing selected.
    virtual void placeCaret(int position) = 0;
};

} // namespace veltrasa
