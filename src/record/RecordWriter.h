#pragma once
#include <QDateTime>
#include <QString>

namespace veltrasa {

class Clock;
class RecordList;

// "mm/dd hh:nn:ss" in ASCII digits whatever the user's locale.
QString formatTimeStamp(const QDateTime& when);

// The one way the buttons write rows: stamp + event text appended at the end
// of the record list, then the newest row selected.
class RecordWriter {
public:
    RecordWriter(RecordList& list, const Clock& clock) : list_(list), clock_(clock) {}

    void appendRecordRow(const QString& eventText);
    void selectNewestRow();

private:
    RecordList& list_;
    const Clock& clock_;
};

} // namespace veltrasa
