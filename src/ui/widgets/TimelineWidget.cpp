#include "ui/widgets/TimelineWidget.h"

#include <QPainter>

#include "common/Texts.h"
#include "output/SummaryTimeline.h"

namespace veltrasa {

TimelineWidget::TimelineWidget(const CodeSummary& summary, QWidget* parent) : QWidget(parent), summary_(summary)
{
    setAccessibleName(QString::fromUtf16(texts::kTimelineName));
    setAccessibleDescription(QString::fromUtf16(texts::kTimelineDescription));
}

void TimelineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintTimeline(painter, QRectF(rect()), summary_, font().family());
}

} // namespace veltrasa
