#include "ui/widgets/ShapeWidget.h"

#include <QPainter>

namespace veltrasa {

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

} // namespace veltrasa
