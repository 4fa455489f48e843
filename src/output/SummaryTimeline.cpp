#include "output/SummaryTimeline.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "common/Colours.h"
#include "common/Texts.h"
#include "output/CodeSummary.h"
#include "record/EventCatalogue.h"

namespace veltrasa {
namespace {
enum Lane { Cpr, Shocks, Epinephrine, Atropine, Antiarrhythmics, Rhythms, kLaneCount };
constexpr std::array<const char16_t*, kLaneCount> kLaneNames = {
    texts::kCprLane,  texts::kDefibrillation,     texts::kEpinephrine,
    texts::kAtropine, texts::kAntiarrhythmicLane, texts::kRhythmLane};
constexpr std::array<QRgb, kLaneCount> kLaneInk = {
    colours::kCprInk,      colours::kShockInk,          colours::kEpinephrineInk,
    colours::kAtropineInk, colours::kAntiarrhythmicInk, colours::kRhythmInk};

// The lane a counted row is marked in, and its mark's label; nothing for a
// row without a mark.
std::optional<std::pair<Lane, QString>> markOf(const CountedRow& r)
{
    if (r.rhythm >= 0) {
        return std::make_pair(Rhythms, QString::fromUtf16(rhythmCatalogue()[std::size_t(r.rhythm)].caption));
    }
    if (r.event < 0)
        return std::nullopt;
    const EventEntry& entry = eventCatalogue()[std::size_t(r.event)];
    const QString number = QString::number(r.number);
    if (r.event == kDefibrillationEvent)
        return std::make_pair(Shocks, number);
    if (r.event == kEpinephrineEvent)
        return std::make_pair(Epinephrine, number);
    if (r.event == kAtropineEvent)
        return std::make_pair(Atropine, number);
    // The four antiarrhythmic drugs share a lane: each mark carries the
    // drug's first letter.
    if (entry.counter == CounterId::Antiarrhythmic)
        return std::make_pair(Antiarrhythmics, QString::fromUtf16(entry.caption).left(1) + number);
    return std::nullopt;
}

QRgb rhythmInk(const QString& caption)
{
    const auto& rhythms = rhythmCatalogue();
    if (caption == QString::fromUtf16(rhythms[kVentricularFibrillationRhythm].caption) ||
        caption == QString::fromUtf16(rhythms[kVentricularTachycardiaRhythm].caption))
        return colours::kShockableRhythmInk;
    if (caption == QString::fromUtf16(rhythms[kReturnOfCirculationRhythm].caption))
        return colours::kReturnOfCirculationInk;
    return kLaneInk[Rhythms];
}
} // namespace

int tickMinutes(qint64 seconds, int maxTicks)
{
    maxTicks = std::max(1, maxTicks);
    for (int step : {1, 2, 5, 10, 15, 30, 60})
        if (seconds <= qint64(step) * 60 * maxTicks)
            return step;
    const qint64 hours = (seconds + qint64(3600) * maxTicks - 1) / (qint64(3600) * maxTicks);
    return int(std::min<qint64>(hours, 1 << 20)) * 60;
}

std::vector<MarkGroup> groupMarks(std::vector<std::pair<double, QString>> marks, double spacing, int rows)
{
    std::stable_sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<MarkGroup> groups;
    std::vector<std::optional<double>> rowEnds(std::size_t(std::max(1, rows)));
    for (const auto& [x, label] : marks) {
        const auto free = std::find_if(rowEnds.begin(), rowEnds.end(), [x = x](auto end) { return !end || x >= *end; });
        if (free == rowEnds.end()) {
            MarkGroup& g = groups.back();
            g.last = x;
            g.label = QString::fromUtf16(texts::kMarkCount).arg(++g.marks);
            continue;
        }
        *free = x + spacing;
        groups.push_back({x, x, label, 1, int(free - rowEnds.begin())});
    }
    return groups;
}

void paintTimeline(QPainter& painter, const QRectF& area, const CodeSummary& summary, const QString& family)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const double band = area.height() / (kLaneCount + 1);
    QFont font(family);
    font.setPixelSize(std::max(1, int(band * 0.34)));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    double nameWidth = 0;
    for (const char16_t* name : kLaneNames)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromUtf16(name)));
    const double pad = band * 0.3;
    const double marker = band * 0.22;
    // Room on the right for the label of a mark at the record's last moment.
    double tail = band;
    for (const CountedRow& r : summary.counted)
        if (const auto m = markOf(r))
            tail = std::max(tail, marker * 0.6 + metrics.horizontalAdvance(m->second));
    const QRectF plot(area.left() + nameWidth + 2 * pad, area.top(), area.width() - nameWidth - 2 * pad - tail,
                      band * kLaneCount);

    // From the earliest moment (the reference at the latest) to the last,
    // at least a minute.
    const qint64 t0 = std::min<qint64>(summary.earliest, 0);
    const qint64 t1 = std::max(summary.latest, t0 + 60);
    const auto xOf = [&](qint64 t) { return plot.left() + double(t - t0) / double(t1 - t0) * plot.width(); };
    const auto laneTop = [&](int lane) { return area.top() + band * lane; };
    const QPen thin(QColor(colours::kGridInk), std::max(1.0, band * 0.02));

    // Lane names and separators.
    for (int lane = 0; lane < kLaneCount; ++lane) {
        painter.setPen(QColor(colours::kTextInk));
        painter.drawText(QRectF(area.left() + pad, laneTop(lane), nameWidth, band), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf16(kLaneNames[std::size_t(lane)]));
        painter.setPen(thin);
        painter.drawLine(QPointF(plot.left(), laneTop(lane + 1)), QPointF(plot.right(), laneTop(lane + 1)));
    }

    // The axis: minutes from the reference, ticks a reader can count.
    const double tickLabelWidth = metrics.horizontalAdvance(QStringLiteral("-0000")) + pad;
    const qint64 step = qint64(tickMinutes(t1 - t0, int(plot.width() / tickLabelWidth))) * 60;
    const double axisY = plot.bottom();
    for (qint64 t = (t0 / step) * step; t <= t1; t += step) {
        if (t < t0)
            continue;
        const double x = xOf(t);
        painter.setPen(thin);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, axisY));
        painter.setPen(QPen(QColor(colours::kTextInk), std::max(1.0, band * 0.03)));
        painter.drawLine(QPointF(x, axisY), QPointF(x, axisY + band * 0.15));
        painter.drawText(QRectF(x - tickLabelWidth / 2, axisY + band * 0.15, tickLabelWidth, band * 0.6),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(t / 60));
    }
    painter.drawLine(QPointF(plot.left(), axisY), QPointF(plot.right(), axisY));
    painter.drawText(QRectF(area.left() + pad, axisY, nameWidth, band), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf16(texts::kMinuteUnit));

    // ＣＰＲ as bars, at least a line wide.
    for (const auto& [from, to] : summary.cprSpans) {
        const double a = xOf(std::min(from, to));
        const double b = std::max(xOf(std::max(from, to)), a + band * 0.05);
        painter.fillRect(QRectF(a, laneTop(Cpr) + band * 0.3, b - a, band * 0.4), QColor(kLaneInk[Cpr]));
    }

    // Marks, each lane gathered where they are too close to draw apart.
    std::array<std::vector<std::pair<double, QString>>, kLaneCount> marks;
    for (const CountedRow& r : summary.counted)
        if (const auto m = markOf(r))
            marks[std::size_t(m->first)].emplace_back(xOf(r.at), m->second);
    const double rowHeight = band * 0.45;
    for (int lane = Shocks; lane < kLaneCount; ++lane) {
        // Wide enough for the group label that counts every mark of the lane.
        double widest =
            metrics.horizontalAdvance(QString::fromUtf16(texts::kMarkCount).arg(marks[std::size_t(lane)].size()));
        for (const auto& [x, label] : marks[std::size_t(lane)])
            widest = std::max(widest, metrics.horizontalAdvance(label));
        for (const MarkGroup& g : groupMarks(marks[std::size_t(lane)], marker + widest + pad, 2)) {
            const QColor ink(lane == Rhythms && g.marks == 1 ? rhythmInk(g.label) : kLaneInk[std::size_t(lane)]);
            const double top = laneTop(lane) + band * 0.05 + rowHeight * g.row;
            const double tip = top + (rowHeight + marker) / 2;
            QPainterPath triangle;
            triangle.moveTo(g.first - marker / 2, tip - marker);
            triangle.lineTo(g.first + marker / 2, tip - marker);
            triangle.lineTo(g.first, tip);
            triangle.closeSubpath();
            painter.fillPath(triangle, ink);
            // A group's marks lie over a line from its first to its last.
            if (g.marks > 1)
                painter.fillRect(QRectF(g.first, tip - marker * 0.15, g.last - g.first, marker * 0.3), ink);
            // The label after the mark; a row's labels never overlap.
            painter.setPen(ink);
            painter.drawText(QRectF(g.first + marker * 0.6, top, widest + pad, rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, g.label);
        }
    }
    painter.restore();
}

} // namespace veltrasa
