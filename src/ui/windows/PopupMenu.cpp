#include "ui/windows/PopupMenu.h"

#include <QCursor>
#include <QMouseEvent>

#include "ui/layout/PopupMenuLayout.h"

namespace veltrasa {

PopupMenu::PopupMenu(QWidget* parent) : QMenu(parent)
{
    namespace L = layout::popup;
    setObjectName(QStringLiteral("popup"));
    setTitle(QString::fromUtf16(L::kCaption));
    for (const auto& entry : L::kItems) {
        QAction* a = entry.command < 0 ? addSeparator() : addAction(QString::fromUtf16(entry.caption));
        a->setObjectName(QString::fromLatin1(entry.name));
        if (entry.command >= 0)
            items_[static_cast<std::size_t>(entry.command)] = a;
    }
}

void PopupMenu::mouseReleaseEvent(QMouseEvent* event)
{
    // Items are chosen with the left button only. QMenu would also take a
    // right button released over an item: a hurried right click on 修正, or
    // the right press that opened the menu dragged onto 削除. Such a release
    // chooses nothing and the menu stays open.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QMenu::mouseReleaseEvent(event);
}

void PopupMenu::showAtPointer()
{
    showAt(QCursor::pos());
}

void PopupMenu::showAt(const QPoint& screenPosition)
{
    if (shower_)
        shower_(*this, screenPosition);
    else
        exec(screenPosition);
}

} // namespace veltrasa
