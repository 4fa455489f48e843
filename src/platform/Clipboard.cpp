#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace veltrasa {

AfterExit QtClipboard::setText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* data = new QMimeData; // Qt's from here on
    data->setText(text);
    clipboard->setMimeData(data, QClipboard::Clipboard);
    // Qt keeps the text even when the X server refused to make the program
    // the clipboard's owner (it only warns), and ownsClipboard() goes by
    // what Qt keeps. mimeData() asks the X server who owns the clipboard:
    // the program's own data comes back only when the program is the owner.
    const bool placed = clipboard->mimeData(QClipboard::Clipboard) == data && clipboard->text() == text;
    return keepClipboardText(placed, text.toUtf8(), keeping_);
}

AfterExit keepClipboardText(bool placed, const QByteArray& utf8, ClipboardKeeping& keeping)
{
    if (placed && keeping.handOverToManager(utf8))
        return AfterExit::HandedOver;
    if (keeping.startKeeper(utf8))
        return AfterExit::Kept;
    return placed ? AfterExit::Lost : AfterExit::NotCopied;
}

} // namespace veltrasa
