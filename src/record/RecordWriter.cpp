#include "record/RecordWriter.h"

#include "controls/RecordList.h"
#include "platform/Clock.h"

namespace veltrasa {

QString formatTimeStamp(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%02d/%02d %02d:%02d:%02d", d.month(), d.day(), t.hour(), t.minute(), t.second());
}

void RecordWriter::appendRecordRow(const QString& eventText)
{
    list_.addRow(formatTimeStamp(clock_.now()) + eventText);
    selectNewestRow();
}

void RecordWriter::selectNewestRow()
{
    if (list_.count() > 0)
        list_.select(list_.count() - 1);
}

} // namespace veltrasa
