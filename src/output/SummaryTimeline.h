#pragma once
// The code summary's timeline, drawn by the one piece of code that both the
// summary window and the printed sheet use, so screen and paper agree.

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace veltrasa {

struct CodeSummary;

// Minutes between the axis's ticks for a record `seconds` long, so that at
// most `maxTicks` ticks fit: 1, 2, 5, 10, 15, 30 or 60, and whole hours
// beyond.
int tickMinutes(qint64 seconds, int maxTicks);

// Marks of one lane at their places, each with a label `spacing` wide
// after it, set out on `rows` rows: a mark goes on the first row where the
// label before it has ended; where none has, it joins the latest group,
// whose label then says how many marks it holds. Every mark stays counted.
struct MarkGroup {
    double first, last; // places of the group's first and last mark
    QString label;      // a single mark's own label, or "×n"
    int marks;
    int row;
};
std::vector<MarkGroup> groupMarks(std::vector<std::pair<double, QString>> marks, double spacing, int rows);

// Paints the timeline into `area` on white, lanes from top to bottom ＣＰＲ,
// 除細動, エピネフリン, アトロピン, 抗不整脈薬 and リズム, then the axis in
// minutes from the reference. Every size follows the area's, in the
// painter's units; texts are in `family`.
void paintTimeline(QPainter& painter, const QRectF& area, const CodeSummary& summary, const QString& family);

} // namespace veltrasa
