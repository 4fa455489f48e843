#pragma once
// The debrief's code summary: key intervals, doses, rhythm checks and the
// timeline's marks, read back from the record list's rows as they stand
// (after corrections, deletions and restores), never from the presses.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "record/EventCatalogue.h"

namespace veltrasa {

// A row that reads as a time stamp "mm/dd hh:nn:ss" followed by exactly one
// text of the event or rhythm catalogue.
struct CountedRow {
    int event = -1;  // index in the event catalogue; -1 for a rhythm check
    int rhythm = -1; // index in the rhythm catalogue, for a rhythm check
    int number = 0;  // the tally written in the row; 0 where the text has none
    qint64 at = 0;   // seconds from the reference time (negative before it)
};

// What a row reads as: `at` is its second of the day. Nothing for a row
// that is not a time stamp and one catalogue text.
std::optional<CountedRow> readRow(const QString& row);

enum class IntervalMark { None, Short, Long }; // 短い under 3:00, 長い over 5:00

struct DoseInterval {
    int fromNumber, toNumber; // the doses' numbers as written
    qint64 seconds;           // negative where the rows stand out of time order
    IntervalMark mark;
};

struct RhythmCheck {
    int rhythm;
    qint64 at;                 // from the reference
    std::optional<qint64> gap; // since the previous check
};

struct CodeSummary {
    std::vector<CountedRow> counted; // in record order
    QStringList uncounted;           // every other row, in record order
    int outOfOrder = 0;              // counted rows stamped before the previous one
    bool hasArrival = false;         // the reference is the first 病院到着
    // From the reference; nothing where the record lacks the event or has
    // no 病院到着.
    std::optional<qint64> arrivalToCpr, arrivalToShock, arrivalToEpinephrine, arrivalToRosc;
    std::optional<qint64> recordLength; // earliest to latest counted row
    int firstRhythm = -1;
    std::array<int, kEventButtonCount> eventCounts{}; // rows of each event of the catalogue
    std::vector<DoseInterval> epinephrineIntervals;
    std::vector<RhythmCheck> rhythmChecks;
    // ＣＰＲ from each ＣＰＲ開始 to the next 心拍再開 or ＣＰＲ終了, or to the
    // record's latest moment; from the reference.
    std::vector<std::pair<qint64, qint64>> cprSpans;
    // Earliest and latest counted moment, and the reference (0).
    qint64 earliest = 0, latest = 0;
};

class RecordList;

CodeSummary summariseRecord(const QStringList& rows);
// The rows read as they stand, without selecting any (the selection stays).
CodeSummary summariseRecord(const RecordList& list);

// "m分ss秒"; "—" where there is no value, or a negative one (an interval
// the record's time order cannot give).
QString minutesAndSeconds(std::optional<qint64> seconds);

// The summary in words, as the window shows it and the sheet prints it.
struct SummaryFigure {
    QString label;
    QString value;
};
struct SummaryList {
    QString label;
    QStringList lines;
};
struct SummaryText {
    // The first kKeyFigures of them are the four intervals, 記録時間 and
    // 初回リズム.
    static constexpr int kKeyFigures = 6;
    // The four intervals from arrival, 記録時間, 初回リズム, the seven
    // counts, 時刻が前後している行 and how many rows were not counted.
    std::vector<SummaryFigure> figures;
    // エピネフリン投与間隔, リズムチェック, 集計に含めなかった行.
    std::array<SummaryList, 3> lists;
};
SummaryText describeSummary(const CodeSummary& summary);

// The title of the window and of the printed sheet.
QString summaryTitle();

} // namespace veltrasa
