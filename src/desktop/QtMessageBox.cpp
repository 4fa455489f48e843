#include "desktop/QtMessageBox.h"
#include "common/Texts.h"
#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace veltrasa {

namespace {
Answer ask(QWidget* parent, const QString& text, Answer byDefault)
{
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QString::fromUtf16(texts::kYesButton), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf16(texts::kNoButton), QMessageBox::NoRole);
    box.setDefaultButton(byDefault == Answer::Yes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

void showOk(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QString::fromUtf16(texts::kOkButton), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
} // namespace

Answer QtMessageBox::question(const QString& text)
{
    return ask(parent_, text, Answer::Yes);
}

Answer QtMessageBox::questionDefaultNo(const QString& text)
{
    return ask(parent_, text, Answer::No);
}

void QtMessageBox::notice(const QString& text)
{
    showOk(parent_, QMessageBox::Information, text);
}

void QtMessageBox::warning(const QString& text)
{
    showOk(parent_, QMessageBox::Warning, text);
}

} // namespace veltrasa
