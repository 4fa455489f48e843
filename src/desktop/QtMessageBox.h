#pragma once
#include "platform/MessageBox.h"
class QWidget;

namespace veltrasa {

// Real message boxes, Japanese buttons whatever the user's locale:
// "はい(Y)" / "いいえ(N)" answered by Y and N, Return takes the default,
// Escape answers No.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer question(const QString& text) override;
    Answer questionDefaultNo(const QString& text) override;
    void notice(const QString& text) override;
    void warning(const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace veltrasa
