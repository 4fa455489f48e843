#include "ui/Widgets.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include "editing/RecordEditing.h"

namespace veltrasa {
namespace {
void setPaletteColour(QWidget* w, QPalette::ColorRole role, QRgb colour)
{
    QPalette p = w->palette();
    p.setColor(role, QColor::fromRgb(colour));
    w->setPalette(p);
}
} // namespace

ShapeWidget::ShapeWidget(QWidget* parent, QRgb fill, std::optional<QRgb> border)
    : QWidget(parent), fill_(fill), border_(border)
{
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(fill_));
    if (border_) {
        painter.setPen(QColor::fromRgb(*border_));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

RecordListWidget::RecordListWidget(QWidget* parent) : UniformRowListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A vertical scroll bar only: a row wider than the list is clipped at
    // its edge (not shortened with an ellipsis) rather than costing the list
    // a horizontal bar over its last visible row.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setUniformItemSizes(true);
    // A finger held still on the list (Qt's recogniser also follows a held
    // mouse button; only a touch opens the menu, see viewportEvent).
    viewport()->grabGesture(Qt::TapAndHoldGesture);
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
        UniformRowListWidget::keyPressEvent(event);
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
    return UniformRowListWidget::viewportEvent(event);
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
    const auto command = UniformRowListWidget::selectionCommand(index, event);
    if (!index.isValid() || (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

BevelButton::BevelButton(QWidget* parent, const QString& caption) : QPushButton(caption, parent)
{
    setCheckable(true);
    setAccessibleName(caption);
}

void BevelButton::setScale(const layout::Scale& scale)
{
    scale_ = scale;
    update();
}

void BevelButton::paintEvent(QPaintEvent*)
{
    // Two-pixel bevel: light above and left, dark below and right; pressed
    // in, a dark frame with a shadow inside and the caption one pixel down
    // and right. On a window scaled below three quarters the bevel is the
    // outer pixel alone.
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, palette().color(QPalette::Button));
    const bool sunken = isSunken();
    const auto edge = [&](const QRect& box, QColor topLeft, QColor bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    const QRect inner = r.adjusted(1, 1, -1, -1);
    const bool twoPixels = scale_.line(2) >= 2;
    if (sunken) {
        edge(r, Qt::black, Qt::black);
        if (twoPixels)
            edge(inner, QColor(0x80, 0x80, 0x80), palette().color(QPalette::Button));
    } else {
        edge(r, Qt::white, Qt::black);
        if (twoPixels)
            edge(inner, QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80));
    }
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect textBox = sunken ? r.translated(1, 1) : r;
    painter.drawText(textBox, Qt::AlignCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        const int inset = scale_.pixels(4);
        painter.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

EventButtonWidget::EventButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}

OptionButtonWidget::OptionButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}

void OptionButtonWidget::setBackground(QRgb colour)
{
    background_ = colour;
    setPaletteColour(this, QPalette::Button, colour);
}

PicturePanelWidget::PicturePanelWidget(QWidget* parent, const QString& lettering)
    : QPushButton(parent), lettering_(lettering)
{
    setAccessibleName(lettering);
}

void PicturePanelWidget::setScale(const layout::Scale& scale)
{
    scale_ = scale;
    update();
}

QRect PicturePanelWidget::pictureRect() const
{
    QRect picture(QPoint(0, 0), scale_.size(kPictureSize));
    picture.moveCenter(rect().center());
    return picture;
}

void PicturePanelWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect picture = pictureRect();
    QLinearGradient gradient(0, picture.top(), 0, picture.top() + picture.height());
    gradient.setColorAt(0.0, QColor(0x00, 0x00, 0x06));
    gradient.setColorAt(0.5, QColor(0x33, 0x33, 0x99));
    gradient.setColorAt(1.0, QColor(0x00, 0x00, 0x06));
    painter.fillRect(picture, gradient);
    // Covered by its event button, a panel mostly repaints only its edge
    // strips; the lettering, within one em of the middle, is drawn only
    // when it can show.
    QFont f = font();
    f.setBold(true);
    const int em = qCeil(f.pointSizeF() * logicalDpiY() / 72.0);
    const QRect band(picture.left(), picture.center().y() - em, picture.width(), 2 * em);
    if (!event->region().intersects(band))
        return;
    painter.setFont(f);
    painter.setPen(Qt::white);
    painter.drawText(picture, Qt::AlignCenter, lettering_);
}

void chainFocus(const std::map<int, QWidget*>& byFocusOrder)
{
    QWidget* previous = nullptr;
    for (const auto& [order, w] : byFocusOrder) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace veltrasa
