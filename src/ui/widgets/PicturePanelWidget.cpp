#include "ui/widgets/PicturePanelWidget.h"

#include "common/Colours.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace veltrasa {

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
    gradient.setColorAt(0.0, QColor(colours::kPanelEdge));
    gradient.setColorAt(0.5, QColor(colours::kPanelMiddle));
    gradient.setColorAt(1.0, QColor(colours::kPanelEdge));
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

} // namespace veltrasa
