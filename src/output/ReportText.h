#pragma once
// The texts by which the record leaves the program, built from the list of
// rows and one reading of the clock. Plain functions, so they can be checked
// byte for byte and timed with records of any size.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace veltrasa {

class RecordList;

// "yyyy年m月d日(aaa) h時n分": no zero padding, one-character weekday.
QString reportDateTime(const QDateTime& when);

// The clipboard report: banner, date line, the rows, two empty lines and
// the footer (which has no line break after it); CR LF line ends.
QString clipboardReport(const QStringList& rows, const QDateTime& when);

// The text file's content before conversion: header line with the moment
// of saving, one line per row, CR LF after every line.
QString textFileContent(const QStringList& rows, const QDateTime& savedAt);

// "YYYYMMDDHHNNSS.txt".
QString proposedFileName(const QDateTime& when);

// The printed title line: title, spaces, report date-time, "印刷".
QString printTitle(const QDateTime& when);

// Code page 932 (Shift-JIS as Windows writes it) through the C library's
// converter. Half-width katakana become single bytes; each character the
// code page cannot represent becomes one '?'.
QByteArray encodeCp932(const QString& text);

// Reads the record's rows in order, then selects the last row and scrolls
// it into view, as every output leaves the list.
QStringList readRows(RecordList& list);

} // namespace veltrasa
