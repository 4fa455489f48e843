#include "ui/widgets/BevelButton.h"

#include "common/Colours.h"

#include <QPainter>

namespace veltrasa {

BevelButton::BevelButton(QWidget* parent, const QString& caption) : QPushButton(caption, parent)
{
    setCheckable(true);
    setAccessibleName(caption);
    // The window's large arrow is for its background; buttons keep the
    // standard one.
    setCursor(Qt::ArrowCursor);
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
            edge(inner, QColor(colours::kGrey), palette().color(QPalette::Button));
    } else {
        edge(r, Qt::white, Qt::black);
        if (twoPixels)
            edge(inner, QColor(colours::kSilver), QColor(colours::kGrey));
    }
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect textBox = sunken ? r.translated(1, 1) : r;
    painter.drawText(textBox, Qt::AlignCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        const int inset = scale_.fromPixels(4);
        painter.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

} // namespace veltrasa
