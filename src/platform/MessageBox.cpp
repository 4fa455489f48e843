#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace veltrasa {

Answer QtMessageBox::question(const QString& text)
{
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

namespace {
void showOk(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
} // namespace

void QtMessageBox::notice(const QString& text)
{
    showOk(parent_, QMessageBox::Information, text);
}

void QtMessageBox::warning(const QString& text)
{
    showOk(parent_, QMessageBox::Warning, text);
}

} // namespace veltrasa
