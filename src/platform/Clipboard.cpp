#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veltrasa {

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

AfterExit QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
    if (keeping_.handOverToManager())
        return AfterExit::HandedOver;
    if (keeping_.startKeeper(text.toUtf8()))
        return AfterExit::Kept;
    return AfterExit::Lost;
}

} // namespace veltrasa
