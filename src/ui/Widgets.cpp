#include "ui/Widgets.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QCache>
#include <algorithm>
#include <QPaintEvent>
#include <QtMath>

#include "editing/RecordEditing.h"

namespace veltrasa {
namespace {
void setForeground(QWidget* w, QPalette::ColorRole role, QRgb colour)
{
    QPalette p = w->palette();
    p.setColor(role, QColor::fromRgb(colour));
    w->setPalette(p);
}
} // namespace

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void LabelWidget::setFaceMetrics(FaceMetrics metrics)
{
    metrics_ = metrics;
    forgetLook();
}

qreal LabelWidget::baseline(int line) const
{
    const qreal em = font().pointSizeF() * logicalDpiY() / 72.0;
    return qRound(metrics_.ascent * em) + line * qRound((metrics_.ascent + metrics_.descent) * em);
}

namespace {
// Pictures of label texts cropped to their ink, shared between labels of the
// same look and kept while they fit. Costs are in kilobytes; the working set
// (every digit a counter shows, in each of its colours) is a few megabytes.
QCache<QString, LabelWidget::Ink>& inkCache()
{
    static QCache<QString, LabelWidget::Ink> cache(qsizetype{16} * 1024);
    return cache;
}

// The smallest rectangle holding every pixel of `image` (32 bits a pixel,
// transparent where 0) that is not transparent; empty if there is none.
QRect inkBounds(const QImage& image)
{
    const auto rowOf = [&](int y) { return reinterpret_cast<const quint32*>(image.constScanLine(y)); };
    const auto blank = [&](int y) {
        const quint32* row = rowOf(y);
        return std::all_of(row, row + image.width(), [](quint32 pixel) { return pixel == 0; });
    };
    int top = 0, bottom = image.height() - 1;
    while (top <= bottom && blank(top))
        ++top;
    while (bottom > top && blank(bottom))
        --bottom;
    if (top > bottom)
        return {};
    int left = image.width(), right = -1;
    for (int y = top; y <= bottom; ++y) {
        const quint32* row = rowOf(y);
        for (int x = 0; x < left; ++x)
            if (row[x] != 0) {
                left = x;
                break;
            }
        for (int x = image.width() - 1; x > right; --x)
            if (row[x] != 0) {
                right = x;
                break;
            }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
} // namespace

void LabelWidget::forgetLook()
{
    keyPrefix_.clear();
    ink_.reset();
    update();
}

void LabelWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        forgetLook();
    QLabel::changeEvent(event);
}

void LabelWidget::resizeEvent(QResizeEvent* event)
{
    forgetLook();
    QLabel::resizeEvent(event);
}

void LabelWidget::showNewText()
{
    // Only what the old and the new glyphs cover is repainted: a counter's
    // tick touches a digit's ink, not the whole cell.
    if (!ink_ || !QWidget::isVisible()) {
        ink_.reset();
        update();
        return;
    }
    const QRect before = ink_->area();
    lookUpInk();
    update(before | ink_->area());
}

void LabelWidget::lookUpInk()
{
    const qreal ratio = devicePixelRatioF();
    if (keyPrefix_.isEmpty() || ratio != keyRatio_) {
        keyRatio_ = ratio;
        keyPrefix_ = QStringLiteral("%1/%2x%3@%4/%5,%6/")
                         .arg(font().key())
                         .arg(width())
                         .arg(height())
                         .arg(ratio)
                         .arg(metrics_.ascent)
                         .arg(metrics_.descent);
    }
    const QString key = keyPrefix_ + QString::number(colour_, 16) + QLatin1Char('/') +
                        QString::number(int(alignment())) + QLatin1Char('/') + text_;
    if (const Ink* kept = inkCache().object(key)) {
        ink_ = *kept;
        return;
    }
    // Large digits would otherwise be drawn from their outlines on every tick.
    // The text is drawn on the whole label and only the part with ink kept.
    QImage whole(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    whole.setDevicePixelRatio(ratio);
    whole.fill(Qt::transparent);
    QPainter painter(&whole);
    painter.setFont(font());
    painter.setPen(QColor::fromRgb(colour_));
    for (const auto& [line, at] : placedLines())
        painter.drawText(at, line);
    painter.end();
    const QRect bounds = inkBounds(whole);
    Ink ink;
    ink.ratio = ratio;
    if (!bounds.isEmpty()) {
        ink.image = whole.copy(bounds);
        ink.image.setDevicePixelRatio(ratio);
        ink.offset = QPointF(bounds.topLeft()) / ratio;
    }
    ink_ = ink;
    inkCache().insert(key, new Ink(ink), qMax(1, int(ink.image.sizeInBytes() / 1024)));
}

QRect LabelWidget::Ink::area() const
{
    return image.isNull() ? QRect() : QRectF(offset, image.deviceIndependentSize()).toAlignedRect();
}

void LabelWidget::paintEvent(QPaintEvent*)
{
    if (text_.isEmpty())
        return;
    if (!ink_ || ink_->ratio != devicePixelRatioF())
        lookUpInk();
    if (!ink_->image.isNull())
        QPainter(this).drawImage(ink_->offset, ink_->image);
}

std::vector<std::pair<QString, QPointF>> LabelWidget::placedLines() const
{
    const QFontMetricsF metrics(font());
    const bool centred = alignment() & Qt::AlignHCenter;
    QStringList lines = text_.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    std::vector<std::pair<QString, QPointF>> placed;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qreal x = centred ? (width() - metrics.horizontalAdvance(line)) / 2 : 0;
        placed.emplace_back(line, QPointF(x, baseline(i)));
    }
    return placed;
}

void LabelWidget::setText(const QString& text)
{
    ++textWrites_;
    if (text == text_)
        return; // a rewrite of the same text shows nothing new
    text_ = text;
    // QLabel's own text is left empty: setting it would repaint the whole
    // label. Screen readers read the accessible name, as shown, line by line.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setAccessibleName(shown);
    showNewText();
}

void LabelWidget::setColour(QRgb colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    showNewText();
}

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

void BevelButton::paintEvent(QPaintEvent*)
{
    // Two-pixel bevel: light above and left, dark below and right; pressed
    // in, a dark frame with a shadow inside and the caption one pixel down
    // and right.
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
    if (sunken) {
        edge(r, Qt::black, Qt::black);
        edge(inner, QColor(0x80, 0x80, 0x80), palette().color(QPalette::Button));
    } else {
        edge(r, Qt::white, Qt::black);
        edge(inner, QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80));
    }
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect textBox = sunken ? r.translated(1, 1) : r;
    painter.drawText(textBox, Qt::AlignCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

EventButtonWidget::EventButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}

OptionButtonWidget::OptionButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}

void OptionButtonWidget::setBackground(QRgb colour)
{
    background_ = colour;
    setForeground(this, QPalette::Button, colour);
}

PicturePanelWidget::PicturePanelWidget(QWidget* parent, const QString& lettering)
    : QPushButton(parent), lettering_(lettering)
{
    setAccessibleName(lettering);
}

QRect PicturePanelWidget::pictureRect() const
{
    QRect picture(QPoint(0, 0), kPictureSize);
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
