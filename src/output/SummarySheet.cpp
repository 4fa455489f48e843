#include "output/SummarySheet.h"

#include <QFont>

#include "common/Texts.h"
#include "output/CodeSummary.h"
#include "output/PrintLayout.h"
#include "output/SummaryTimeline.h"
#include "platform/Printer.h"

namespace veltrasa {
namespace {
// Places in twips from the top-left corner of the printable area.
constexpr double kTitleTop = 500;
constexpr double kMargin = 600;
constexpr double kFiguresTop = 1200;
constexpr double kFigurePitch = 320;
constexpr double kValueOffset = 3900;      // of the key figures' values
constexpr double kRightColumn = 6300;      // the counts, then the rows' figures
constexpr double kRightValueOffset = 2600; // of their values
constexpr double kTimelineTop = 4400;
constexpr double kTimelineHeight = 4200;
constexpr double kListsTop = 8900;
constexpr double kSecondList = 6000;
constexpr double kListsBottom = 13000;
constexpr double kListPitch = 280;

QFont sheetFont(double points)
{
    QFont font(QString::fromUtf16(print::kFace));
    font.setPointSizeF(points);
    return font;
}

// The heading and as many lines as fit above `bottom`; the last place says
// how many were left out when they do not all fit.
void drawList(Printer& printer, const SummaryList& list, QPointF at, double bottom)
{
    printer.drawText(at, list.label);
    const int room = std::max(1, int((bottom - at.y()) / kListPitch) - 1);
    const int shown = list.lines.size() <= room ? int(list.lines.size()) : room - 1;
    for (int i = 0; i < shown; ++i)
        printer.drawText(at + QPointF(kListPitch, kListPitch * (i + 1)), list.lines.at(i));
    if (shown < list.lines.size())
        printer.drawText(at + QPointF(kListPitch, kListPitch * (shown + 1)),
                         QString::fromUtf16(texts::kMoreLines).arg(list.lines.size() - shown));
}
} // namespace

void drawSummarySheet(Printer& printer, const CodeSummary& summary)
{
    const SummaryText text = describeSummary(summary);
    const QSizeF area = printer.printableSize();
    printer.setFont(sheetFont(16));
    const QString title = summaryTitle();
    printer.drawText(QPointF(print::centredTitleLeft(area.width(), printer.textWidth(title)), kTitleTop), title);

    printer.setFont(sheetFont(11));
    for (std::size_t i = 0; i < text.figures.size(); ++i) {
        const bool key = i < SummaryText::kKeyFigures;
        const double left = key ? kMargin : kRightColumn;
        const double top = kFiguresTop + kFigurePitch * double(key ? i : i - SummaryText::kKeyFigures);
        printer.drawText(QPointF(left, top), text.figures[i].label);
        printer.drawText(QPointF(left + (key ? kValueOffset : kRightValueOffset), top), text.figures[i].value);
    }

    printer.drawPicture(QRectF(kMargin, kTimelineTop, area.width() - 2 * kMargin, kTimelineHeight),
                        [&summary](QPainter& painter, const QRectF& into) {
                            paintTimeline(painter, into, summary, QString::fromUtf16(print::kFace));
                        });

    printer.setFont(sheetFont(10));
    drawList(printer, text.lists[0], QPointF(kMargin, kListsTop), kListsBottom);
    drawList(printer, text.lists[1], QPointF(kSecondList, kListsTop), kListsBottom);
    drawList(printer, text.lists[2], QPointF(kMargin, kListsBottom + kListPitch), area.height() - kMargin);
}

} // namespace veltrasa
