#include "ui/look/Images.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>

#include "desktop/WindowingPlatform.h"

namespace veltrasa::images {
namespace {
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

// Point at `radius` from `centre` in the direction of `hour` on a dial.
QPointF onDial(QPointF centre, qreal radius, qreal hour)
{
    const qreal angle = hour / 12.0 * 2.0 * M_PI;
    return centre + QPointF(radius * qSin(angle), -radius * qCos(angle));
}
} // namespace

QImage stopwatch(int size)
{
    // Designed on a 32-pixel grid; the 16-pixel image is the same drawing at
    // half scale with one-pixel strokes and only the quarter-hour dots.
    const bool large = size >= 32;
    const qreal s = size / 32.0;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF centre = large ? QPointF(15.5, 18.5) : QPointF(7.5, 9.5);
    const qreal radius = large ? 12.5 : 5.5;

    // Crown with its stem, and the two side buttons at half past ten and
    // half past one.
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    p.drawRect(QRectF(12 * s, 0.5 * s, 8 * s, 3.5 * s));
    p.setBrush(kSilver);
    p.drawRect(QRectF(14 * s, 4 * s, 4 * s, 3 * s));
    for (const qreal hour : {10.5, 1.5}) {
        p.save();
        p.translate(onDial(centre, radius + (large ? 2 : 1), hour));
        p.rotate(hour / 12.0 * 360.0);
        p.setBrush(kGrey);
        p.drawRect(large ? QRectF(-2.5, -2, 5, 4) : QRectF(-1, -1, 2, 2));
        p.restore();
    }

    // Dial.
    p.setPen(QPen(kBlack, large ? 2 : 1));
    p.setBrush(kWhite);
    p.drawEllipse(centre, radius, radius);

    // Hour dots.
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    for (int hour = 0; hour < 12; ++hour) {
        if (!large && hour % 3 != 0)
            continue;
        const QPointF c = onDial(centre, radius - (large ? 3.5 : 2), hour);
        if (large)
            p.drawRect(QRectF(qRound(c.x() - 1), qRound(c.y() - 1), 2, 2));
        else
            p.drawRect(QRectF(qFloor(c.x()), qFloor(c.y()), 1, 1));
    }

    // Hands: hour at ten, minute at two, second at seven.
    p.setPen(QPen(kBlack, large ? 2 : 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre, onDial(centre, radius * 0.5, 10));
    p.drawLine(centre, onDial(centre, radius * 0.75, 2));
    p.setPen(QPen(kRed, 1));
    p.drawLine(centre, onDial(centre, radius * 0.8, 7));
    return image;
}

QIcon stopwatchIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(stopwatch(32)));
    icon.addPixmap(QPixmap::fromImage(stopwatch(16)));
    return icon;
}

QImage arrowPointerImage()
{
    // The arrow's body, with the tip's pixel at the hot spot: a head 18
    // pixels wide and a tail slanting down to the right, 30 rows in all.
    const QPolygonF body({{0, 1}, {18, 19}, {11, 19}, {16, 29}, {12, 31}, {7, 21}, {0, 28}});
    QImage shape(kPointerSize, kPointerSize, QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        p.drawPolygon(body);
    }
    // Every pixel of the body that touches the outside becomes the outline.
    QImage image = shape;
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kPointerSize && y < kPointerSize && qAlpha(shape.pixel(x, y)) != 0;
    };
    for (int y = 0; y < kPointerSize; ++y)
        for (int x = 0; x < kPointerSize; ++x)
            if (inside(x, y) && !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)))
                image.setPixel(x, y, kBlack.rgb());
    return image;
}

QCursor arrowPointer(PointerForm form)
{
    const QImage image = arrowPointerImage();
    if (form == PointerForm::Colour)
        return QCursor(QPixmap::fromImage(image), kPointerHotSpot.x(), kPointerHotSpot.y());
    // Bitmap: 1 draws black; mask: 1 where the pointer is opaque.
    QImage bits(kPointerSize, kPointerSize, QImage::Format_Mono);
    QImage mask(kPointerSize, kPointerSize, QImage::Format_Mono);
    const QList<QRgb> colours{qRgb(0xFF, 0xFF, 0xFF), qRgb(0x00, 0x00, 0x00)}; // color0, color1
    bits.setColorTable(colours);
    mask.setColorTable(colours);
    bits.fill(0);
    mask.fill(0);
    for (int y = 0; y < kPointerSize; ++y)
        for (int x = 0; x < kPointerSize; ++x) {
            const QRgb px = image.pixel(x, y);
            mask.setPixel(x, y, qAlpha(px) != 0 ? 1 : 0);
            bits.setPixel(x, y, qAlpha(px) != 0 && qRed(px) == 0 ? 1 : 0);
        }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), kPointerHotSpot.x(), kPointerHotSpot.y());
}

QCursor arrowPointer()
{
    return arrowPointer(onNativeWayland() ? PointerForm::Colour : PointerForm::Bitmap);
}

} // namespace veltrasa::images
