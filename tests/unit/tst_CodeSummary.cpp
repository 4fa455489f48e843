// The code summary computed from records as they stand: its figures, lists
// and ＣＰＲ bars, and the timeline's marks still countable.
#include <QtTest>

#include "output/CodeSummary.h"
#include "output/SummaryTimeline.h"

using namespace veltrasa;

namespace {
// Rows "stamp　text"; a stamp of 14 characters, the text after U+3000.
QStringList record(std::initializer_list<std::pair<const char*, const char16_t*>> rows)
{
    QStringList out;
    for (const auto& [stamp, text] : rows)
        out << QString::fromLatin1(stamp) + QStringLiteral("　") + QString::fromUtf16(text);
    return out;
}

QString values(const SummaryText& t)
{
    QStringList v;
    for (const SummaryFigure& f : t.figures)
        v << f.value;
    return v.join(QLatin1Char('|'));
}

QString spans(const CodeSummary& s)
{
    QStringList v;
    for (const auto& [from, to] : s.cprSpans)
        v << QStringLiteral("%1-%2").arg(from).arg(to);
    return v.join(QLatin1Char(' '));
}
} // namespace

class CodeSummaryTest : public QObject {
    Q_OBJECT
private slots:
    void figuresFromRowsAsTheyStand_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("figures"); // the values, in the order shown
        QTest::addColumn<QStringList>("doses");
        QTest::addColumn<QStringList>("checks");
        QTest::addColumn<QStringList>("uncounted");
        QTest::addColumn<QString>("cpr");
        QTest::addColumn<int>("tick"); // minutes, at most 20 ticks

        QTest::newRow("typical 20 minutes")
            << record({{"06/04 09:00:00", u"病院到着"},
                       {"06/04 09:00:40", u"ＣＰＲ開始"},
                       {"06/04 09:01:10", u"ﾘｽﾞﾑﾁｪｯｸ：心室細動"},
                       {"06/04 09:01:30", u"電気的除細動1回目施行"},
                       {"06/04 09:02:00", u"静脈路確保"},
                       {"06/04 09:04:00", u"エピネフリン1回目投与"},
                       {"06/04 09:05:10", u"ﾘｽﾞﾑﾁｪｯｸ：心室細動"},
                       {"06/04 09:05:30", u"電気的除細動2回目施行"},
                       {"06/04 09:06:00", u"アンカロン1回目投与"},
                       {"06/04 09:06:50", u"エピネフリン2回目投与"},
                       {"06/04 09:09:10", u"ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"},
                       {"06/04 09:11:00", u"エピネフリン3回目投与"},
                       {"06/04 09:14:00", u"アトロピン1回目投与"},
                       {"06/04 09:17:30", u"エピネフリン4回目投与"},
                       {"06/04 09:18:10", u"ﾘｽﾞﾑﾁｪｯｸ：心拍再開"},
                       {"06/04 09:20:00", u"ＣＰＲ終了"}})
            << "0分40秒|1分30秒|4分00秒|18分10秒|20分00秒|心室細動|2回|4回|1回|1回|0回|0回|0回|0行|0行"
            << QStringList{"1回目→2回目　2分50秒　短い", "2回目→3回目　4分10秒", "3回目→4回目　6分30秒　長い"}
            << QStringList{"1分10秒　心室細動　前回から—", "5分10秒　心室細動　前回から4分00秒",
                           "9分10秒　ＰＥＡ　前回から4分00秒", "18分10秒　心拍再開　前回から9分00秒"}
            << QStringList{} << "40-1090" << 1;

        // The year's end; then a row stamped 5 minutes back across midnight
        // (the clock set back) is out of order, not a day later.
        QTest::newRow("through midnight") << record({{"12/31 23:58:00", u"病院到着"},
                                                     {"12/31 23:59:00", u"ＣＰＲ開始"},
                                                     {"01/01 00:01:30", u"エピネフリン1回目投与"},
                                                     {"01/01 00:04:30", u"エピネフリン2回目投与"},
                                                     {"01/01 00:05:00", u"ﾘｽﾞﾑﾁｪｯｸ：心静止"},
                                                     {"12/31 23:59:50", u"ﾘｽﾞﾑﾁｪｯｸ：心室細動"}})
                                          << "1分00秒|—|3分30秒|—|7分00秒|心静止|0回|2回|0回|0回|0回|0回|0回|1行|0行"
                                          << QStringList{"1回目→2回目　3分00秒"}
                                          << QStringList{"7分00秒　心静止　前回から—", "1分50秒　心室細動　前回から—"}
                                          << QStringList{} << "60-420" << 1;

        QTest::newRow("no arrival: times from the first row")
            << record({{"06/04 10:00:00", u"ＣＰＲ開始"},
                       {"06/04 10:02:00", u"ﾘｽﾞﾑﾁｪｯｸ：心室頻拍"},
                       {"06/04 10:02:10", u"電気的除細動1回目施行"},
                       {"06/04 10:05:00", u"ﾘｽﾞﾑﾁｪｯｸ：心拍再開"}})
            << "—|—|—|—|5分00秒|心室頻拍|1回|0回|0回|0回|0回|0回|0回|0行|0行" << QStringList{}
            << QStringList{"2分00秒　心室頻拍　前回から—", "5分00秒　心拍再開　前回から3分00秒"} << QStringList{}
            << "0-300" << 1;

        // エピネフリン1回目投与 corrected to atropine; the deleted shock put
        // back at its place.
        QTest::newRow("corrected drug, restored shock")
            << record({{"06/04 09:00:00", u"病院到着"},
                       {"06/04 09:01:00", u"電気的除細動1回目施行"},
                       {"06/04 09:02:00", u"アトロピン1回目投与"},
                       {"06/04 09:05:00", u"エピネフリン2回目投与"}})
            << "—|1分00秒|5分00秒|—|5分00秒|—|1回|1回|1回|0回|0回|0回|0回|0行|0行" << QStringList{} << QStringList{}
            << QStringList{} << "" << 1;

        const QStringList loose = record({{"06/04 09:01:00", u"エピネフリン1回目投与した"},
                                          {"6/4 9:02:00 ", u"ＣＰＲ開始"},
                                          {"06/04 09:02:40", u"エピネフリン01回目投与"},
                                          {"02/30 09:07:00", u"ﾘｽﾞﾑﾁｪｯｸ：徐脈"}});
        QTest::newRow("free text, unreadable stamps, time set back")
            << record({{"06/04 09:00:00", u"病院到着"}}) + loose.mid(0, 2) +
                   record({{"06/04 09:03:00", u"ＣＰＲ開始"},
                           {"06/04 09:02:30", u"エピネフリン1回目投与"},
                           {"06/04 09:02:00", u"エピネフリン2回目投与"}}) +
                   loose.mid(2)
            << "3分00秒|—|2分30秒|—|3分00秒|—|0回|2回|0回|0回|0回|0回|0回|2行|4行" << QStringList{"1回目→2回目　—"}
            << QStringList{} << loose << "180-180" << 1;

        QTest::newRow("empty") << QStringList{} << "—|—|—|—|—|—|0回|0回|0回|0回|0回|0回|0回|0行|0行" << QStringList{}
                               << QStringList{} << QStringList{} << "" << 1;

        // Over a day long, one dose every 10 seconds: midnight passed once.
        QStringList rows = record({{"06/04 09:00:00", u"病院到着"}});
        QStringList doses;
        for (int i = 1; i < 10000; ++i) {
            const QDateTime at = QDateTime(QDate(2005, 6, 4), QTime(9, 0)).addSecs(i * 10);
            rows << at.toString(QStringLiteral("MM/dd hh:mm:ss")) + QStringLiteral("　エピネフリン%1回目投与").arg(i);
            if (i > 1)
                doses << QStringLiteral("%1回目→%2回目　0分10秒　短い").arg(i - 1).arg(i);
        }
        QTest::newRow("10,000 rows") << rows << "—|—|0分10秒|—|1666分30秒|—|0回|9999回|0回|0回|0回|0回|0回|0行|0行"
                                     << doses << QStringList{} << QStringList{} << "" << 120;
    }

    void figuresFromRowsAsTheyStand()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, figures);
        QFETCH(QStringList, doses);
        QFETCH(QStringList, checks);
        QFETCH(QStringList, uncounted);
        QFETCH(QString, cpr);
        QFETCH(int, tick);
        const CodeSummary s = summariseRecord(rows);
        const SummaryText t = describeSummary(s);
        QCOMPARE(values(t), figures);
        QCOMPARE(t.lists[0].lines, doses);
        QCOMPARE(t.lists[1].lines, checks);
        QCOMPARE(t.lists[2].lines, uncounted);
        QCOMPARE(spans(s), cpr);
        QCOMPARE(tickMinutes(s.latest - s.earliest, 20), tick);

        // However close, every mark is drawn or counted in a group, and the
        // labels of a row never overlap.
        std::vector<std::pair<double, QString>> marks;
        for (const CountedRow& r : s.counted)
            marks.emplace_back(double(r.at), QString::number(r.number));
        int drawn = 0;
        std::array<double, 2> rowEnd = {-1e18, -1e18};
        for (const MarkGroup& g : groupMarks(marks, 60, 2)) {
            drawn += g.marks;
            QVERIFY(g.first >= rowEnd[std::size_t(g.row)]);
            rowEnd[std::size_t(g.row)] = g.first + 60;
        }
        QCOMPARE(drawn, int(s.counted.size()));
    }
};

QTEST_MAIN(CodeSummaryTest)
#include "tst_CodeSummary.moc"
