#include "ui/look/ArrowPointer.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "common/Colours.h"
#include "desktop/WindowingPlatform.h"

namespace veltrasa::images {
namespace {
const QColor kWhite(colours::kWhite);
const QColor kBlack(colours::kBlack);
} // namespace

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
