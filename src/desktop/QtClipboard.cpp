#include "desktop/QtClipboard.h"
#include "desktop/ClipboardKeeping.h"
#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

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
    // Qt deletes its data once another program has taken the clipboard.
    const QPointer<QMimeData> placed(data);
    const auto owns = [&] {
        return placed && clipboard->mimeData(QClipboard::Clipboard) == placed && clipboard->text() == text;
    };
    return keepClipboardText(owns, text.toUtf8(), keeping_);
}

AfterExit keepClipboardText(const std::function<bool()>& programOwns, const QByteArray& utf8, ClipboardKeeping& keeping)
{
    const QDeadlineTimer deadline(kCopyCheckMs);
    const bool placed = programOwns();
    if (placed && keeping.handOverToManager(utf8, deadline))
        return AfterExit::HandedOver;
    if (keeping.startKeeper(utf8, deadline))
        return AfterExit::Kept;
    return placed && programOwns() ? AfterExit::Lost : AfterExit::NotCopied;
}

} // namespace veltrasa
