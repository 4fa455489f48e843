#include "output/CodeSummary.h"

#include <QHash>
#include <algorithm>

#include "common/Texts.h"
#include "controls/RecordList.h"

namespace veltrasa {
namespace {
constexpr int kStampLength = 14; // "mm/dd hh:nn:ss"
constexpr qint64 kDay = qint64(24) * 60 * 60;
constexpr qint64 kHalfDay = kDay / 2;
constexpr qint64 kShortestEpinephrineInterval = qint64(3) * 60;
constexpr qint64 kLongestEpinephrineInterval = qint64(5) * 60;
constexpr int kLargestTally = 32767;

// Two ASCII digits at `at`, or -1.
int twoDigits(QStringView s, int at)
{
    const char16_t a = s[at].unicode();
    const char16_t b = s[at + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

// The second of the day of a valid "mm/dd hh:nn:ss" (any year: 02/29 too).
std::optional<int> secondOfDay(QStringView stamp)
{
    static constexpr std::array<int, 12> kDaysIn = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (stamp[2] != u'/' || stamp[5] != u' ' || stamp[8] != u':' || stamp[11] != u':')
        return std::nullopt;
    const int month = twoDigits(stamp, 0);
    const int day = twoDigits(stamp, 3);
    const int hour = twoDigits(stamp, 6);
    const int minute = twoDigits(stamp, 9);
    const int second = twoDigits(stamp, 12);
    if (month < 1 || month > 12 || day < 1 || day > kDaysIn[std::size_t(month - 1)] || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return (hour * 60 + minute) * 60 + second;
}

// The catalogue's fixed texts, each with its event and rhythm index.
const QHash<QString, std::pair<int, int>>& fixedTexts()
{
    static const auto texts = [] {
        QHash<QString, std::pair<int, int>> t;
        const auto& events = eventCatalogue();
        for (std::size_t i = 0; i < events.size(); ++i)
            if (!events[i].tally)
                t.insert(eventRowText(events[i], 0), {int(i), -1});
        const auto& rhythms = rhythmCatalogue();
        for (std::size_t i = 0; i < rhythms.size(); ++i)
            t.insert(rhythmRowText(QString::fromUtf16(rhythms[i].caption)), {-1, int(i)});
        return t;
    }();
    return texts;
}

// The tally a button writes: decimal digits without a leading zero, 1 to
// 32767; 0 for anything else.
int tallyIn(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 5 || digits[0] == u'0')
        return 0;
    int n = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n <= kLargestTally ? n : 0;
}

// The event whose text is head + tally + tail, with that tally.
std::optional<CountedRow> talliedEvent(QStringView text)
{
    const auto& events = eventCatalogue();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (!events[i].tally)
            continue;
        const QStringView head(events[i].rowHead);
        const QStringView tail(events[i].rowTail);
        if (text.size() <= head.size() + tail.size() || !text.startsWith(head) || !text.endsWith(tail))
            continue;
        const int n = tallyIn(text.mid(head.size(), text.size() - head.size() - tail.size()));
        if (n > 0)
            return CountedRow{int(i), -1, n, 0};
    }
    return std::nullopt;
}

std::optional<qint64> firstAt(const CodeSummary& s, int event, int rhythm)
{
    const auto first = std::find_if(s.counted.begin(), s.counted.end(),
                                    [&](const CountedRow& r) { return r.event == event && r.rhythm == rhythm; });
    return first == s.counted.end() ? std::nullopt : std::optional<qint64>(first->at);
}

void findSpansAndChecks(CodeSummary& s)
{
    // A bar of ＣＰＲ open since `openSince`, where `open`.
    bool open = false;
    qint64 openSince = 0;
    std::optional<qint64> previousCheck;
    std::optional<CountedRow> previousDose;
    for (const CountedRow& r : s.counted) {
        if (r.event == kCprStartEvent && !open) {
            open = true;
            openSince = r.at;
        }
        if (open && (r.event == kEndOfCprEvent || r.rhythm == kReturnOfCirculationRhythm)) {
            s.cprSpans.emplace_back(openSince, r.at);
            open = false;
        }
        if (r.event >= 0)
            ++s.eventCounts[std::size_t(r.event)];
        if (r.rhythm >= 0) {
            s.rhythmChecks.push_back(
                {r.rhythm, r.at, previousCheck ? std::optional<qint64>(r.at - *previousCheck) : std::nullopt});
            previousCheck = r.at;
        }
        if (r.event == kEpinephrineEvent) {
            if (previousDose) {
                const qint64 gap = r.at - previousDose->at;
                const IntervalMark mark = gap < 0                              ? IntervalMark::None
                                          : gap < kShortestEpinephrineInterval ? IntervalMark::Short
                                          : gap > kLongestEpinephrineInterval  ? IntervalMark::Long
                                                                               : IntervalMark::None;
                s.epinephrineIntervals.push_back({previousDose->number, r.number, gap, mark});
            }
            previousDose = r;
        }
    }
    if (open)
        s.cprSpans.emplace_back(openSince, s.latest);
}
} // namespace

std::optional<CountedRow> readRow(const QString& row)
{
    if (row.size() <= kStampLength)
        return std::nullopt;
    const std::optional<int> second = secondOfDay(QStringView(row).left(kStampLength));
    if (!second)
        return std::nullopt;
    const QStringView text = QStringView(row).mid(kStampLength);
    std::optional<CountedRow> reading;
    const auto& fixed = fixedTexts();
    const auto found = fixed.constFind(text.toString());
    if (found != fixed.constEnd())
        reading = CountedRow{found->first, found->second, 0, 0};
    else
        reading = talliedEvent(text);
    if (reading)
        reading->at = *second;
    return reading;
}

CodeSummary summariseRecord(const QStringList& rows)
{
    CodeSummary s;
    // Times run forward through the rows: each step is taken the short way
    // round the clock, so a row more than 12 hours before the previous one
    // is on the next day (midnight, the year's end), and one stamped a
    // little earlier (a clock set back, a corrected time) is used at its
    // own stamp and counted as out of order.
    qint64 position = 0;
    std::optional<int> previous;
    for (const QString& row : rows) {
        std::optional<CountedRow> r = readRow(row);
        if (!r) {
            s.uncounted << row;
            continue;
        }
        const int second = int(r->at);
        if (previous) {
            qint64 step = second - *previous;
            if (step < -kHalfDay)
                step += kDay;
            else if (step > kHalfDay)
                step -= kDay;
            if (step < 0)
                ++s.outOfOrder;
            position += step;
        }
        previous = second;
        r->at = position;
        s.counted.push_back(*r);
    }
    if (s.counted.empty())
        return s;

    const auto arrival =
        std::find_if(s.counted.begin(), s.counted.end(), [](const CountedRow& r) { return r.event == kArrivalEvent; });
    s.hasArrival = arrival != s.counted.end();
    const qint64 reference = s.hasArrival ? arrival->at : s.counted.front().at;
    for (CountedRow& r : s.counted) {
        r.at -= reference;
        s.earliest = std::min(s.earliest, r.at);
        s.latest = std::max(s.latest, r.at);
    }
    s.recordLength = s.latest - s.earliest;
    if (s.hasArrival) {
        s.arrivalToCpr = firstAt(s, kCprStartEvent, -1);
        s.arrivalToShock = firstAt(s, kDefibrillationEvent, -1);
        s.arrivalToEpinephrine = firstAt(s, kEpinephrineEvent, -1);
        s.arrivalToRosc = firstAt(s, -1, kReturnOfCirculationRhythm);
    }
    findSpansAndChecks(s);
    if (!s.rhythmChecks.empty())
        s.firstRhythm = s.rhythmChecks.front().rhythm;
    return s;
}

CodeSummary summariseRecord(const RecordList& list)
{
    QStringList rows;
    rows.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        rows << list.rowText(i);
    return summariseRecord(rows);
}

QString minutesAndSeconds(std::optional<qint64> seconds)
{
    if (!seconds || *seconds < 0)
        return QString::fromUtf16(texts::kNoValue);
    return QString::fromUtf16(texts::kMinutesSeconds).arg(*seconds / 60).arg(*seconds % 60, 2, 10, QLatin1Char('0'));
}

QString summaryTitle()
{
    return QString::fromUtf16(texts::kSummary);
}

SummaryText describeSummary(const CodeSummary& s)
{
    SummaryText t;
    auto add = [&t](const char16_t* label, const QString& value) {
        t.figures.push_back({QString::fromUtf16(label), value});
    };
    add(texts::kArrivalToCpr, minutesAndSeconds(s.arrivalToCpr));
    add(texts::kArrivalToShock, minutesAndSeconds(s.arrivalToShock));
    add(texts::kArrivalToEpinephrine, minutesAndSeconds(s.arrivalToEpinephrine));
    add(texts::kArrivalToRosc, minutesAndSeconds(s.arrivalToRosc));
    add(texts::kRecordLength, minutesAndSeconds(s.recordLength));
    add(texts::kFirstRhythm, s.firstRhythm < 0
                                 ? QString::fromUtf16(texts::kNoValue)
                                 : QString::fromUtf16(rhythmCatalogue()[std::size_t(s.firstRhythm)].caption));
    const auto& events = eventCatalogue();
    for (std::size_t i = 0; i < events.size(); ++i)
        if (events[i].tally)
            add(events[i].caption, QString::fromUtf16(texts::kTimes).arg(s.eventCounts[i]));
    add(texts::kOutOfOrderRows, QString::fromUtf16(texts::kRows).arg(s.outOfOrder));
    add(texts::kUncountedRows, QString::fromUtf16(texts::kRows).arg(s.uncounted.size()));

    SummaryList& doses = t.lists[0];
    doses.label = QString::fromUtf16(texts::kEpinephrineIntervals);
    for (const DoseInterval& d : s.epinephrineIntervals) {
        QString line = QString::fromUtf16(texts::kDoseInterval)
                           .arg(d.fromNumber)
                           .arg(d.toNumber)
                           .arg(minutesAndSeconds(d.seconds));
        if (d.mark == IntervalMark::Short)
            line += QString::fromUtf16(texts::kShortMark);
        else if (d.mark == IntervalMark::Long)
            line += QString::fromUtf16(texts::kLongMark);
        doses.lines << line;
    }
    SummaryList& checks = t.lists[1];
    checks.label = QString::fromUtf16(texts::kRhythmChecks);
    for (const RhythmCheck& c : s.rhythmChecks)
        checks.lines << QString::fromUtf16(texts::kRhythmCheckLine)
                            .arg(minutesAndSeconds(c.at),
                                 QString::fromUtf16(rhythmCatalogue()[std::size_t(c.rhythm)].caption),
                                 minutesAndSeconds(c.gap));
    t.lists[2] = {t.figures.back().label, s.uncounted};
    return t;
}

} // namespace veltrasa
