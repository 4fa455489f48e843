#include <QtTest>

#include "Scripted.h"
#include "ui/Fonts.h"
#include "ui/FrmMain.h"
#include "ui/Widgets.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
QStringList rows(const FrmMain& w)
{
    QStringList result;
    for (int i = 0; i < w.List1()->count(); ++i)
        result << w.List1()->rowText(i);
    return result;
}

QString shownCounter(const FrmMain& w, const char* array, std::array<int, 5> indexes)
{
    QString s;
    for (int i : indexes)
        s += w.label(QString::fromLatin1(array), i)->text();
    return s;
}

ManualTimer& manual(FrmMain& w, int number)
{
    return static_cast<ManualTimer&>(w.timer(number));
}
} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startUpState()
    {
        ScriptedPlatform p;
        p.clock.set(QDateTime(QDate(2005, 6, 4), QTime(9, 5, 30)));
        FrmMain w(p.platform());
        QCOMPARE(w.List1()->count(), 0); // the sample row is gone
        QCOMPARE(w.label("Label7")->text(), QStringLiteral("2005-06-04"));
        QCOMPARE(shownCounter(w, "Label3", {3, 2, 4, 1, 0}), QStringLiteral("09:05"));
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(w.label("Label4", i)->text(), QString());
        QCOMPARE(shownCounter(w, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label9", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label8", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(w.label("Label1", 0)->colour(), QRgb(0xFF804000));
        QCOMPARE(w.label("Label6", 0)->colour(), QRgb(0xFF808000));
        QVERIFY(!w.shape("Shape2")->isShown());
        QVERIFY(!w.label("Label5")->isShown());
        QVERIFY(!w.label("Label2")->isShown());
        QVERIFY(w.timer(1).isEnabled());
        for (int t = 1; t <= 6; ++t)
            QCOMPARE(w.timer(t).interval(), 1000);
        for (int t = 2; t <= 6; ++t)
            QVERIFY(!w.timer(t).isEnabled());
        QVERIFY(!manual(w, 3).tick());
    }

    void clickingTheRealButtons()
    {
        ScriptedPlatform p;
        FrmMain w(p.platform());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.Check1(0), Qt::LeftButton);
        QTest::mouseClick(w.Check1(1), Qt::LeftButton);
        p.clock.advance(1);
        QTest::mouseClick(w.Check1(5), Qt::LeftButton);
        QTest::mouseClick(w.Check1(5), Qt::LeftButton);
        QTest::mouseClick(w.Option1(3), Qt::LeftButton);
        QTest::mouseClick(w.Option1(0), Qt::LeftButton);
        QCOMPARE(rows(w), (QStringList{
                              QStringLiteral("06/04 09:05:07　病院到着"),
                              QStringLiteral("06/04 09:05:07　ＣＰＲ開始"),
                              QStringLiteral("06/04 09:05:08　エピネフリン1回目投与"),
                              QStringLiteral("06/04 09:05:08　エピネフリン2回目投与"),
                              QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"),
                              QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：心室細動"),
                          }));
        QCOMPARE(w.List1()->selectedIndex(), 5);
        for (int i = 0; i < kEventButtonCount; ++i)
            QVERIFY(!w.Check1(i)->isChecked());
        QCOMPARE(w.label("Label4", 2)->text(), QStringLiteral("心マッサージ開始後"));
        QCOMPARE(w.label("Label4", 3)->text(), QStringLiteral("エピネフリン2回目投与後"));
        QCOMPARE(w.Option1(0)->background(), QRgb(0xFFFF0000));
        QCOMPARE(w.Option1(3)->background(), QRgb(0xFF000080));
        QVERIFY(!w.shape("Shape2")->isShown());

        // The counters tick from their own timers.
        manual(w, 3).ticks(120);
        QCOMPARE(shownCounter(w, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("02:00"));
        QCOMPARE(w.label("Label6", 0)->colour(), DigitCounter::kDueColour);
        manual(w, 2).ticks(3600);
        QCOMPARE(shownCounter(w, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("01:00"));
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("00:00")); // Timer4 untouched
        manual(w, 4).ticks(179);
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("02:59"));
        QCOMPARE(w.label("Label1", 8)->colour(), QRgb(0xFFFFFF00));
        manual(w, 4).tick();
        QCOMPARE(w.label("Label1", 14)->colour(), DigitCounter::kDueColour);
        // The clock blinks the arrival separator now that arrival is recorded.
        manual(w, 1).tick();
        QCOMPARE(w.label("Label1", 6)->colour(), QRgb(0xFF804000));
        manual(w, 1).tick();
        QCOMPARE(w.label("Label1", 6)->colour(), QRgb(0xFFFF8000));
    }

    void endOfCprNoKeepsRecording()
    {
        ScriptedPlatform p;
        FrmMain w(p.platform());
        w.show();
        p.messages.answer({Answer::No});
        QTest::mouseClick(w.Check1(15), Qt::LeftButton);
        QCOMPARE(w.List1()->count(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(p.programEnd.ended, 0);
        QVERIFY(!w.Check1(15)->isChecked());
        QVERIFY(w.timer(1).isEnabled());
    }

    void endOfCprYesEndsTheRecord()
    {
        ScriptedPlatform p;
        FrmMain w(p.platform());
        w.show();
        QTest::mouseClick(w.Check1(1), Qt::LeftButton);
        p.messages.answer({Answer::Yes, Answer::No, Answer::No});
        QTest::mouseClick(w.Check1(15), Qt::LeftButton);
        QCOMPARE(rows(w).last(), QStringLiteral("06/04 09:05:07　ＣＰＲ終了"));
        QCOMPARE(p.programEnd.ended, 1);
        for (int t = 1; t <= 6; ++t)
            QVERIFY(!w.timer(t).isEnabled());
    }

    void closingRunsShutDownOnce()
    {
        ScriptedPlatform p;
        FrmMain w(p.platform());
        int sequences = 0;
        w.setExitSequence([&] { ++sequences; });
        w.show();
        w.close();
        w.close();
        QCOMPARE(sequences, 1);
        QCOMPARE(p.programEnd.ended, 1);
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_FrmMain.moc"
