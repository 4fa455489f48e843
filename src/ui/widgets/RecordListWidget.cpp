#include "ui/widgets/RecordListWidget.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "editing/RecordEditing.h"

namespace veltrasa {

RecordListWidget::RecordListWidget(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    // One row height for all, taken from one row: a long record is laid out
    // without measuring each row.
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A row wider than the list is clipped at its edge, not shortened with
    // an ellipsis, rather than costing the list a horizontal bar over its
    // last visible row (see updateGeometries).
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    // A finger held still on the list (Qt's recogniser also follows a held
    // mouse button; only a touch opens the menu, see viewportEvent).
    viewport()->grabGesture(Qt::TapAndHoldGesture);
    // The window's large arrow is for its background; the list keeps the
    // standard one.
    setCursor(Qt::ArrowCursor);
    viewport()->setCursor(Qt::ArrowCursor);
}

void RecordListWidget::removeRow(int index)
{
    if (index >= 0 && index < count())
        delete takeItem(index);
}

QString RecordListWidget::rowText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

int RecordListWidget::selectedIndex() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void RecordListWidget::select(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
}

void RecordListWidget::mousePressEvent(QMouseEvent* event)
{
    // A touch reaches the list as the left button of a touch screen.
    pressedByTouch_ =
        event->pointingDevice() && event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit mouseButtonPressed(event->button());
        return;
    }
    QListWidget::mousePressEvent(event);
    emit mouseButtonPressed(event->button());
}

void RecordListWidget::keyPressEvent(QKeyEvent* event)
{
    if (!isRecordMenuKey(event->key(), event->modifiers())) {
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    emit menuRequested(selectedRowMenuPosition());
}

bool RecordListWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (QGesture* hold = gestures->gesture(Qt::TapAndHoldGesture)) {
            gestures->accept(hold);
            if (hold->state() == Qt::GestureFinished && pressedByTouch_) {
                pressedByTouch_ = false;
                emit menuRequested(static_cast<QTapAndHoldGesture*>(hold)->position().toPoint());
            }
            return true;
        }
    }
    return QListWidget::viewportEvent(event);
}

QPoint RecordListWidget::selectedRowMenuPosition()
{
    QPoint at(0, 0);
    if (QListWidgetItem* selected = item(selectedIndex())) {
        scrollToItem(selected);
        // The row stays readable above the menu.
        at = visualItemRect(selected).bottomLeft() + QPoint(0, 1);
    }
    return viewport()->mapToGlobal(at);
}

QItemSelectionModel::SelectionFlags RecordListWidget::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const
{
    // 修正 and 削除 act on the selected row, so no click or key takes the
    // selection away: Ctrl with a click or Space would deselect the row, and
    // a click below the rows would clear the selection.
    const auto command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

QRect RecordListWidget::visualRect(const QModelIndex& index) const
{
    QRect rect = QListWidget::visualRect(index);
    if (rect.right() >= viewport()->width())
        rect.setRight(viewport()->width() - 1);
    return rect;
}

void RecordListWidget::updateGeometries()
{
    // Every row is shown from its start: with the bar off, nothing may
    // scroll the rows sideways (scrolling a wide row into view would).
    QListWidget::updateGeometries();
    horizontalScrollBar()->setRange(0, 0);
}

} // namespace veltrasa
