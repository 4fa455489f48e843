#include "ui/widgets/LabelWidget.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace veltrasa {

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

// Pictures of label texts cropped to their ink, shared between labels of the
// same look and kept while they fit. Costs are in kilobytes; the working set
// (every digit a counter shows, in each of its colours) is a few megabytes.
QCache<QString, LabelWidget::Ink>& LabelWidget::inkCache()
{
    static QCache<QString, Ink> cache(qsizetype{16} * 1024);
    return cache;
}

namespace {
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
    // Qt keeps pictures of glyphs only up to 64 pixels and fills larger ones
    // from their outlines on every paint, the big CPR digits on every tick
    // that touches them. Its limit cannot be raised: with QT_MAX_CACHED_GLYPH_SIZE
    // above 64, Qt 6.4's FreeType faces still give no picture for such glyphs
    // and they are not drawn at all. So the label keeps its own: the text is
    // drawn on the whole label and only the part with ink kept.
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

} // namespace veltrasa
