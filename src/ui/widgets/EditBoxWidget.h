#pragma once
#include <QLineEdit>

#include "controls/EditBox.h"

namespace veltrasa {

// The edit window's box (Text1): one line, entered as Japanese where the
// input method takes a hint. Whatever reaches it, typed, pasted or
// committed by an input method, is kept to one line (makeSingleLine).
class EditBoxWidget final : public QLineEdit, public EditBox {
    Q_OBJECT
public:
    explicit EditBoxWidget(QWidget* parent);
    void setText(const QString& text) override { QLineEdit::setText(text); }
    QString text() const override { return QLineEdit::text(); }
    void placeCaret(int position) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

} // namespace veltrasa
