#include <QtTest>

#include "Scripted.h"
#include "output/ReportText.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
// The frame of the clipboard report, written out character by character.
const QString kBanner = QStringLiteral(u"\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u3000"
                                       u"救急外来心肺蘇生記録"
                                       u"\u3000\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605");
const QString kIndent = QStringLiteral(u"\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
                                       u"\u3000\u3000");
const QString kFooter = QStringLiteral(u"\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605"
                                       u"\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605\u2605"
                                       u"\u2605\u2605");

const QDateTime kSunday(QDate(2005, 6, 12), QTime(14, 5, 30));

} // namespace

class ReportTextTest : public QObject {
    Q_OBJECT
private slots:
    void reportDateTimeForms_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon") << kSunday << QStringLiteral("2005年6月12日(日) 14時5分");
        QTest::newRow("just after midnight")
            << QDateTime(QDate(2005, 1, 3), QTime(0, 7, 5)) << QStringLiteral("2005年1月3日(月) 0時7分");
        QTest::newRow("one-digit hour and minute")
            << QDateTime(QDate(2005, 6, 4), QTime(9, 5, 7)) << QStringLiteral("2005年6月4日(土) 9時5分");
        QTest::newRow("two digits everywhere")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << QStringLiteral("2026年12月31日(木) 23時59分");
        QTest::newRow("tuesday") << QDateTime(QDate(2005, 6, 7), QTime(10, 0))
                                 << QStringLiteral("2005年6月7日(火) 10時0分");
        QTest::newRow("wednesday") << QDateTime(QDate(2005, 6, 8), QTime(10, 0))
                                   << QStringLiteral("2005年6月8日(水) 10時0分");
        QTest::newRow("friday") << QDateTime(QDate(2005, 6, 10), QTime(10, 0))
                                << QStringLiteral("2005年6月10日(金) 10時0分");
    }
    void reportDateTimeForms()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, expected);
        QCOMPARE(reportDateTime(when), expected);
    }

    void clipboardReportLines_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("expected");
        const QString crlf = QStringLiteral("\r\n");
        QTest::newRow("empty record: seven lines")
            << QStringList() << kSunday
            << kBanner + crlf + crlf + kIndent + QStringLiteral("2005年6月12日(日) 14時5分") + crlf + crlf + crlf +
                   crlf + kFooter;
        QTest::newRow("one row: eight lines")
            << QStringList{QStringLiteral(u"06/12 14:01:02\u3000病院到着")} << kSunday
            << kBanner + crlf + crlf + kIndent + QStringLiteral("2005年6月12日(日) 14時5分") + crlf + crlf +
                   QStringLiteral(u"06/12 14:01:02\u3000病院到着") + crlf + crlf + crlf + kFooter;
        QTest::newRow("edited, empty and half-width rows kept as they are")
            << QStringList{QStringLiteral("  手で直した行 "), QString(), QStringLiteral(u"06/12 14:05:30\u3000ｱﾄﾞﾚﾅﾘﾝ")}
            << QDateTime(QDate(2005, 1, 3), QTime(0, 7, 5))
            << kBanner + crlf + crlf + kIndent + QStringLiteral("2005年1月3日(月) 0時7分") + crlf + crlf +
                   QStringLiteral("  手で直した行 ") + crlf + crlf + QStringLiteral(u"06/12 14:05:30\u3000ｱﾄﾞﾚﾅﾘﾝ") +
                   crlf + crlf + crlf + kFooter;
        QTest::newRow("an emoji stays") << QStringList{QStringLiteral(u"06/12 14:05:30\u3000メモ\U0001F600")} << kSunday
                                        << kBanner + crlf + crlf + kIndent +
                                               QStringLiteral("2005年6月12日(日) 14時5分") + crlf + crlf +
                                               QStringLiteral(u"06/12 14:05:30\u3000メモ\U0001F600") + crlf + crlf +
                                               crlf + kFooter;
    }
    void clipboardReportLines()
    {
        QFETCH(QStringList, rows);
        QFETCH(QDateTime, when);
        QFETCH(QString, expected);
        const QString report = clipboardReport(rows, when);
        QCOMPARE(report, expected);
        QCOMPARE(report.split(QStringLiteral("\r\n")).size(), 7 + rows.size());
        QVERIFY(!report.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
    }

    void frameLengths()
    {
        QCOMPARE(kBanner.size(), 28);
        QCOMPARE(kFooter.size(), 26);
        QCOMPARE(kIndent.size(), 14);
    }

    void textFileBytes_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray title = QByteArray::fromHex("8b7e8b7d8a4f978890539478916890b68b4c985e");
        const QByteArray fourSpaces = QByteArray::fromHex("8140814081408140");
        const QByteArray record = QByteArray::fromHex("8b4c985e");
        const QByteArray header = title + fourSpaces + "2005/06/12 14:05:30" + record;
        QTest::newRow("empty record: one line") << QStringList() << kSunday << header + "\r\n";
        QTest::newRow("zero-padded date and time") << QStringList() << QDateTime(QDate(2005, 1, 3), QTime(9, 7, 5))
                                                   << title + fourSpaces + "2005/01/03 09:07:05" + record + "\r\n";
        QTest::newRow("just after midnight") << QStringList() << QDateTime(QDate(2005, 1, 3), QTime(0, 0, 1))
                                             << title + fourSpaces + "2005/01/03 00:00:01" + record + "\r\n";
        QTest::newRow("three rows: four lines, no empty line")
            << QStringList{QStringLiteral(u"\u3000心肺蘇生開始"), QString(), QStringLiteral("edited")} << kSunday
            << header + "\r\n" + QByteArray::fromHex("814090539478916890b68a4a8e6e") + "\r\n\r\nedited\r\n";
        QTest::newRow("half-width katakana as single bytes")
            << QStringList{QStringLiteral(u"06/12 14:05:30\u3000ｱﾄﾞﾚﾅﾘﾝ")} << kSunday
            << header + "\r\n06/12 14:05:30" + QByteArray::fromHex("8140b1c4dedac5d8dd") + "\r\n";
        QTest::newRow("an emoji becomes one substitute")
            << QStringList{QStringLiteral(u"06/12 14:05:30\u3000メモ\U0001F600!")} << kSunday
            << header + "\r\n06/12 14:05:30" + QByteArray::fromHex("814083818382") + "?!\r\n";
    }
    void textFileBytes()
    {
        QFETCH(QStringList, rows);
        QFETCH(QDateTime, when);
        QFETCH(QByteArray, expected);
        QCOMPARE(encodeCp932(textFileContent(rows, when)), expected);
    }

    void cp932Substitutes()
    {
        // One '?' per character the code page lacks, also for a lone
        // surrogate; the characters around it survive.
        QCOMPARE(encodeCp932(QStringLiteral(u"a\U0001F600\U0001F601b")), QByteArray("a??b"));
        QCOMPARE(encodeCp932(QString(QChar(0xD800)) + QLatin1Char('x')), QByteArray("?x"));
        QCOMPARE(encodeCp932(QStringLiteral(u"\u00E9")), QByteArray("?"));
        QCOMPARE(encodeCp932(QString()), QByteArray());
        // Windows' own forms of the wave dash and the full-width tilde.
        QCOMPARE(encodeCp932(QStringLiteral(u"\uFF5E\u2460")), QByteArray::fromHex("81608740"));
    }

    void fileNameAndTitle()
    {
        QCOMPARE(proposedFileName(kSunday), QStringLiteral("20050612140530.txt"));
        QCOMPARE(proposedFileName(QDateTime(QDate(2005, 1, 3), QTime(0, 7, 5))), QStringLiteral("20050103000705.txt"));
        QCOMPARE(printTitle(kSunday),
                 QStringLiteral(u"救急外来心肺蘇生記録\u3000\u3000  2005年6月12日(日) 14時5分印刷"));
    }

    void readingRowsLeavesLastRowSelected()
    {
        MemoryRecordList list;
        QCOMPARE(readRows(list), QStringList());
        QCOMPARE(list.selected, -1);
        list.rows = {QStringLiteral("a"), QString(), QStringLiteral("c")};
        list.selected = 0;
        QCOMPARE(readRows(list), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("c")}));
        QCOMPARE(list.selected, 2);
    }
};

QTEST_GUILESS_MAIN(ReportTextTest)
#include "tst_ReportText.moc"
