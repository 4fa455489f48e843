#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veltrasa {

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

} // namespace veltrasa
