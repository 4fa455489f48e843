#include "ui/widgets/TimelineWidget.h"

#include <QPainter>

#include "output/SummaryTimeline.h"

namespace veltrasa {

TimelineWidget::TimelineWidget(const CodeSummary& summary, QWidget* parent) : QWidget(parent), summary_(summary)
{
    setAccessibleName(QStringLiteral("タイムライン"));
    setAccessibleDescription(
        QStringLiteral("病院到着からの分: ＣＰＲ、除細動、エピネフリン、アトロピン、抗不整脈薬、リズム"));
}

void TimelineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintTimeline(painter, QRectF(rect()), summary_, font().family());
}

} // namespace veltrasa
