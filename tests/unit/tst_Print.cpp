#include <QtTest>

#include "Scripted.h"
#include "desktop/QtPrinter.h"
#include "output/PrintLayout.h"
#include "output/RecordOutput.h"
#include "output/ReportText.h"
#include "ui/look/Fonts.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
const QDateTime kWhen(QDate(2005, 6, 12), QTime(14, 5, 30));
const QString kTitle = QStringLiteral(u"救急外来心肺蘇生記録\u3000\u3000  2005年6月12日(日) 14時5分印刷");

struct Bench {
    ScriptedPlatform p;
    MemoryRecordList list;
    RecordOutput output{{list, p.clock, p.messages, p.clipboard, p.saveDialog, p.printer}};

    explicit Bench(int rows)
    {
        p.clock.set(kWhen);
        for (int i = 0; i < rows; ++i)
            list.rows.push_back(
                QStringLiteral(u"06/12 14:%1:00\u3000行%2").arg(i % 60, 2, 10, QLatin1Char('0')).arg(i));
    }
};

std::vector<ScriptedPrinter::Drawn> titles(const ScriptedPrinter& printer)
{
    std::vector<ScriptedPrinter::Drawn> out;
    for (const auto& d : printer.drawn)
        if (d.text == kTitle)
            out.push_back(d);
    return out;
}
} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void pagination()
    {
        // Empty: one sheet with the title alone.
        auto pages = print::paginateRows(0, 16270, 400);
        QCOMPARE(pages.size(), std::size_t(1));
        QVERIFY(pages[0].rows.empty());

        // The first sheet: row i at 1000 + 400 i, as long as it fits.
        pages = print::paginateRows(60, 16270, 400);
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(pages[0].rows.size(), std::size_t(38)); // 1000 + 400 * 37 + 400 <= 16270
        QCOMPARE(pages[0].rows[0].top, 1000.0);
        QCOMPARE(pages[0].rows[1].top, 1400.0);
        QCOMPARE(pages[0].rows[9].top, 4600.0);
        QCOMPARE(pages[0].rows[37].top, 15800.0);
        QCOMPARE(pages[1].rows.front().row, 38);
        QCOMPARE(pages[1].rows.front().top, 1000.0);
        QCOMPARE(pages[1].rows.back().row, 59);

        // A row that would just touch the bottom still fits; one more twip
        // of line height does not.
        QCOMPARE(print::paginateRows(38, 16200, 400).size(), std::size_t(1));
        QCOMPARE(print::paginateRows(38, 16199, 400).size(), std::size_t(2));

        // No limit: every row is placed once, in order.
        pages = print::paginateRows(10000, 16270, 400);
        int next = 0;
        for (const auto& page : pages)
            for (const auto& placed : page.rows)
                QCOMPARE(placed.row, next++);
        QCOMPARE(next, 10000);
        QCOMPARE(pages.size(), std::size_t((10000 + 37) / 38));

        // A sheet too short for any row still takes one row each.
        QCOMPARE(print::paginateRows(3, 500, 400).size(), std::size_t(3));
    }

    void sheetsAsDrawn()
    {
        Bench b(60);
        b.output.printRecord();
        const ScriptedPrinter& pr = b.p.printer;
        QCOMPARE(pr.begins, 1);
        QCOMPARE(pr.ends, 1);
        QCOMPARE(pr.page, 2); // two sheets of rows, then the summary's
        QCOMPARE(pr.pictures.size(), std::size_t(1));
        QCOMPARE(pr.pictures[0].first, 2);
        QVERIFY(b.p.messages.shown.empty());
        QCOMPARE(b.list.selected, 59);

        const auto t = titles(pr);
        QCOMPARE(t.size(), std::size_t(2));
        for (std::size_t i = 0; i < t.size(); ++i) {
            QCOMPARE(t[i].page, int(i));
            // 35 characters measured one 12-point em (240 twips) each:
            // 11338 / 2 - 8400 / 2.
            QCOMPARE(t[i].at, QPointF(1469, 500));
            QCOMPARE(t[i].font.family(), QStringLiteral("ＭＳ Ｐ明朝"));
            QCOMPARE(t[i].font.pointSizeF(), 12.0);
            QVERIFY(t[i].font.italic() && !t[i].font.bold() && !t[i].font.underline());
        }

        int row = 0;
        for (const auto& d : pr.drawn) {
            if (d.text == kTitle || d.page == 2)
                continue;
            QCOMPARE(d.text, b.list.rows[std::size_t(row)]);
            QCOMPARE(d.font.family(), QStringLiteral("ＭＳ Ｐ明朝"));
            QCOMPARE(d.font.pointSizeF(), 16.0);
            QVERIFY(!d.font.italic() && !d.font.bold() && !d.font.underline());
            QCOMPARE(d.at.x(), 1500.0);
            ++row;
        }
        QCOMPARE(row, 60);
        // Rows continue from 1000 twips on the second sheet.
        const auto firstOnSecond = std::find_if(pr.drawn.begin(), pr.drawn.end(),
                                                [](const auto& d) { return d.page == 1 && d.text != kTitle; });
        QVERIFY(firstOnSecond != pr.drawn.end());
        QCOMPARE(firstOnSecond->at.y(), 1000.0);
    }

    void emptyRecordPrintsTheTitleAlone()
    {
        Bench b(0);
        b.output.printRecord();
        QCOMPARE(b.p.printer.drawn.size(), std::size_t(1));
        QCOMPARE(b.p.printer.drawn[0].text, kTitle);
        QCOMPARE(b.p.printer.ends, 1);
    }

    void failureAbandonsTheJobAndAsksAgain_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("no printer") << 0;
        QTest::newRow("second sheet refused") << 1;
        QTest::newRow("job not completed") << 2;
    }
    void failureAbandonsTheJobAndAsksAgain()
    {
        QFETCH(int, failure);
        Bench b(60);
        b.p.printer.failBegin = failure == 0;
        b.p.printer.failNewPage = failure == 1;
        b.p.printer.failEnd = failure == 2;
        b.p.messages.answer({Answer::No, Answer::No});
        b.output.printRecord();
        QCOMPARE(b.p.printer.aborts, 1);
        QCOMPARE(b.p.messages.shown.size(), std::size_t(3)); // save?, print?, copied
        QCOMPARE(b.p.messages.unexpectedQuestions, 0);
        QCOMPARE(b.p.clipboard.texts.size(), std::size_t(1));
    }

    // The real drawing code, into a PDF file instead of a printer.
    void realDrawingIntoPdf()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("record.pdf"));
        ScriptedPlatform p;
        p.clock.set(kWhen);
        MemoryRecordList list;
        for (int i = 0; i < 60; ++i)
            list.rows.push_back(QStringLiteral(u"06/12 14:05:30\u3000エピネフリン%1回目投与").arg(i + 1));
        QtPrinter printer(pdf);
        RecordOutput output({list, p.clock, p.messages, p.clipboard, p.saveDialog, printer});
        output.printRecord();
        QVERIFY(p.messages.shown.empty());
        QVERIFY(QFileInfo(pdf).size() > 0);

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(20000) || pdftotext.exitStatus() != QProcess::NormalExit)
            QSKIP("pdftotext (poppler-utils) is not available");
        const QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 4); // two sheets, the summary's and what follows the last form feed
        for (int i = 0; i < 2; ++i)
            QVERIFY2(pages[i].contains(QStringLiteral("2005年6月12日(日) 14時5分印刷")), qPrintable(pages[i]));
        const QString all = pages.join(QString());
        for (int i = 1; i <= 60; ++i)
            QVERIFY2(all.contains(QStringLiteral("エピネフリン%1回目投与").arg(i)), qPrintable(QString::number(i)));
        QVERIFY(pages[1].contains(QStringLiteral("エピネフリン60回目投与")));
        QVERIFY(!pages[0].contains(QStringLiteral("エピネフリン60回目投与")));
        // The summary's sheet: its title, figures, the timeline's lanes and
        // the intervals that did not fit, counted.
        for (const char16_t* text :
             {u"振り返り", u"記録時間", u"0分00秒", u"60回", u"抗不整脈薬", u"1回目→2回目", u"ほか47件"})
            QVERIFY2(pages[2].contains(QString::fromUtf16(text)), qPrintable(pages[2]));
    }
};

QTEST_MAIN(PrintTest)
#include "tst_Print.moc"
