// The main window at work: its state at start-up, real presses, the
// counters and the clock as the window shows them, and the end of the
// record.
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {

QString shownCounter(const MainWindow& window, const char* array, std::array<int, 5> indexes)
{
    QString s;
    for (int i : indexes)
        s += window.findLabel(QString::fromLatin1(array), i)->text();
    return s;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startUpState()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(9, 5, 30)));
        MainWindow& window = m.window;
        QCOMPARE(window.recordList()->count(), 0); // the sample row is gone
        QCOMPARE(window.label(layout::keys::kDateLabel).text(), QStringLiteral("2005-06-04"));
        QCOMPARE(shownCounter(window, "Label3", {3, 2, 4, 1, 0}), QStringLiteral("09:05"));
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(window.findLabel("Label4", i)->text(), QString());
        QCOMPARE(shownCounter(window, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(window, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(window, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(window, "Label9", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(window, "Label8", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(window.findLabel("Label1", 0)->colour(), QRgb(0xFF804000));
        QCOMPARE(window.findLabel("Label6", 0)->colour(), QRgb(0xFF808000));
        QVERIFY(!window.shape(layout::keys::kReversibleCausesBox).isShown());
        QVERIFY(!window.label(layout::keys::kReversibleCausesHeading).isShown());
        QVERIFY(!window.label(layout::keys::kReversibleCausesList).isShown());
        QVERIFY(window.timer(1).isEnabled());
        for (int t = 1; t <= 6; ++t)
            QCOMPARE(window.timer(t).interval(), 1000);
        for (int t = 2; t <= 6; ++t)
            QVERIFY(!window.timer(t).isEnabled());
        QVERIFY(!m.timer(3).tick());
    }

    void clickingTheRealButtons()
    {
        ScriptedMainWindow m;
        auto& [services, window] = m;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.eventButton(0), Qt::LeftButton);
        QTest::mouseClick(window.eventButton(1), Qt::LeftButton);
        services.clock.advance(1);
        QTest::mouseClick(window.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(window.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(window.rhythmButton(3), Qt::LeftButton);
        QTest::mouseClick(window.rhythmButton(0), Qt::LeftButton);
        QCOMPARE(m.rows(), (QStringList{
                               QStringLiteral("06/04 09:05:07　病院到着"),
                               QStringLiteral("06/04 09:05:07　ＣＰＲ開始"),
                               QStringLiteral("06/04 09:05:08　エピネフリン1回目投与"),
                               QStringLiteral("06/04 09:05:08　エピネフリン2回目投与"),
                               QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"),
                               QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：心室細動"),
                           }));
        QCOMPARE(window.recordList()->selectedIndex(), 5);
        for (int i = 0; i < kEventButtonCount; ++i)
            QVERIFY(!window.eventButton(i)->isChecked());
        QCOMPARE(window.findLabel("Label4", 2)->text(), QStringLiteral("心マッサージ開始後"));
        QCOMPARE(window.findLabel("Label4", 3)->text(), QStringLiteral("エピネフリン2回目投与後"));
        QCOMPARE(window.rhythmButton(0)->background(), QRgb(0xFFFF0000));
        QCOMPARE(window.rhythmButton(3)->background(), QRgb(0xFF000080));
        QVERIFY(!window.shape(layout::keys::kReversibleCausesBox).isShown());

        // The counters tick from their own timers and show the time since
        // their events on the platform's clock (エピネフリン a second later).
        m.pass(119);
        QCOMPARE(shownCounter(window, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("02:00"));
        QCOMPARE(window.findLabel("Label6", 0)->colour(), colours::kCounterDue);
        m.timer(4).setEnabled(false);
        m.pass(60);
        QCOMPARE(shownCounter(window, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("01:59")); // Timer4 stopped
        QCOMPARE(window.findLabel("Label1", 8)->colour(), QRgb(0xFFFFFF00));
        m.timer(4).setEnabled(true);
        m.pass(1);
        QCOMPARE(shownCounter(window, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("03:00"));
        QCOMPARE(window.findLabel("Label1", 14)->colour(), colours::kCounterDue);
        // The wall clock set back an hour: the clock follows, the counters do not.
        services.clock.set(services.clock.now().addSecs(-3600));
        m.pass(3600 - 180);
        QCOMPARE(shownCounter(window, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("01:00"));
        QCOMPARE(shownCounter(window, "Label3", {3, 2, 4, 1, 0}), QStringLiteral("09:05"));
        // The clock blinks the arrival separator now that arrival is recorded.
        m.timer(1).tick();
        QCOMPARE(window.label(layout::keys::kArrivalSeparator).colour(), QRgb(0xFF804000));
        m.timer(1).tick();
        QCOMPARE(window.label(layout::keys::kArrivalSeparator).colour(), QRgb(0xFFFF8000));
    }

    void endOfCprNoKeepsRecording()
    {
        ScriptedMainWindow m;
        auto& [services, window] = m;
        window.show();
        services.messages.answer({Answer::No});
        QTest::mouseClick(window.eventButton(15), Qt::LeftButton);
        QCOMPARE(window.recordList()->count(), 0);
        QVERIFY(window.isVisible());
        QCOMPARE(services.programEnd.ended, 0);
        QVERIFY(!window.eventButton(15)->isChecked());
        QVERIFY(window.timer(1).isEnabled());
    }

    void endOfCprYesEndsTheRecord()
    {
        ScriptedMainWindow m;
        auto& [services, window] = m;
        window.show();
        QTest::mouseClick(window.eventButton(1), Qt::LeftButton);
        services.messages.answer({Answer::Yes, Answer::No, Answer::No});
        QTest::mouseClick(window.eventButton(15), Qt::LeftButton);
        QCOMPARE(m.rows().last(), QStringLiteral("06/04 09:05:07　ＣＰＲ終了"));
        QCOMPARE(services.programEnd.ended, 1);
        for (int t = 1; t <= 6; ++t)
            QVERIFY(!window.timer(t).isEnabled());
    }

    void closingRunsShutDownOnce()
    {
        ScriptedMainWindow m;
        auto& [services, window] = m;
        const auto exitSequences = m.countExitSequences();
        window.show();
        window.close();
        window.close();
        QCOMPARE(*exitSequences, 1);
        QCOMPARE(services.programEnd.ended, 1);
    }

    // Idle, active and due colours of each counter as the window draws
    // them, reached by real presses and manual ticks.
    void countersIdleActiveDue_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("array");
        QTest::addColumn<int>("firstDigit");
        QTest::addColumn<QRgb>("idle");
        QTest::addColumn<QRgb>("active");
        QTest::addColumn<int>("dueAfter"); // seconds; 0: never due
        QTest::addColumn<QRect>("panel");
        QTest::newRow("arrival") << 0 << "Label1" << 0 << 0xFF804000u << 0xFFFF8000u << 0 << QRect(257, 4, 209, 103);
        QTest::newRow("CPR") << 1 << "Label6" << 0 << 0xFF808000u << 0xFFFFFF00u << 120 << QRect(471, 112, 752, 225);
        QTest::newRow("defibrillation") << 2 << "Label6" << 0 << 0xFF808000u << 0xFFFFFF00u << 120
                                        << QRect(471, 112, 752, 225);
        QTest::newRow("epinephrine") << 5 << "Label1" << 8 << 0xFF808000u << 0xFFFFFF00u << 180
                                     << QRect(472, 4, 247, 103);
        QTest::newRow("atropine") << 6 << "Label9" << 8 << 0xFF808000u << 0xFFFFFF00u << 180 << QRect(724, 4, 247, 103);
        QTest::newRow("antiarrhythmic") << 9 << "Label8" << 8 << 0xFF808000u << 0xFFFFFF00u << 0
                                        << QRect(976, 4, 247, 103);
    }

    void countersIdleActiveDue()
    {
        QFETCH(int, button);
        QFETCH(QString, array);
        QFETCH(int, firstDigit);
        QFETCH(QRgb, idle);
        QFETCH(QRgb, active);
        QFETCH(int, dueAfter);
        QFETCH(QRect, panel);
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<int> labels{firstDigit, firstDigit + 1, firstDigit + 2, firstDigit + 3, firstDigit == 0 ? 6 : 14};
        const auto drawnIn = [&](QRgb colour) {
            for (int i : labels)
                if (window.findLabel(array, i)->colour() != colour)
                    return false;
            return !inkBounds(
                        shot(window), [&](QRgb c) { return c == colour; }, panel.adjusted(1, 1, -1, -1))
                        .isEmpty();
        };

        QVERIFY(drawnIn(idle));
        QTest::mouseClick(window.eventButton(button), Qt::LeftButton);
        QVERIFY(drawnIn(active));
        m.timer(1).setEnabled(false); // the clock would blink the arrival separator
        const int quiet = dueAfter ? dueAfter - 1 : 3 * 3600;
        m.pass(quiet);
        QVERIFY(drawnIn(active));
        m.pass(1);
        QVERIFY(drawnIn(dueAfter ? colours::kCounterDue : active));
        if (array == QLatin1String("Label1") && firstDigit == 0) // hours:minutes
            QCOMPARE(window.findLabel(array, 2)->text() + window.findLabel(array, 1)->text() +
                         window.findLabel(array, 0)->text(),
                     QStringLiteral("300"));
    }

    // The clock on the window: only the digits that change are rewritten,
    // the separator blinks, the date follows midnight on the same tick.
    void clockOnTheWindow()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(23, 59, 58)));
        auto& [services, window] = m;
        const auto writes = [&] {
            QList<int> n;
            for (int i = 0; i < 4; ++i)
                n << window.findLabel("Label3", i)->textWrites();
            return n << window.label(layout::keys::kDateLabel).textWrites();
        };
        const QList<int> before = writes();
        services.clock.advance(1);
        m.timer(1).tick();
        QCOMPARE(writes(), before); // 23:59:59 shows as before
        QCOMPARE(window.findLabel("Label3", 4)->colour(), 0xFF008000u);
        services.clock.advance(1);
        m.timer(1).tick();
        QCOMPARE(window.findLabel("Label3", 4)->colour(), 0xFF00FF00u);
        const QList<int> after = writes();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(after[i], before[i] + 1);
        QCOMPARE(window.label(layout::keys::kDateLabel).text(), QStringLiteral("2005-06-05"));
        QString shown;
        for (int i : {3, 2, 4, 1, 0})
            shown += window.findLabel("Label3", i)->text();
        QCOMPARE(shown, QStringLiteral("00:00"));
        QCOMPARE(window.label(layout::keys::kArrivalSeparator).colour(), 0xFF804000u); // no arrival yet: no blink
        services.clock.advance(60);
        m.timer(1).tick();
        QCOMPARE(writes()[0], after[0] + 1);
        QCOMPARE(writes().mid(1), after.mid(1));
    }

    // Ending the session or the application (a quit request) closes the
    // window, which ends the record once.
    void quitEndsTheRecordOnce()
    {
        ScriptedMainWindow m;
        auto& [services, window] = m;
        const auto exitSequences = m.countExitSequences();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
        window.close();
        QCOMPARE(*exitSequences, 1);
        QCOMPARE(services.programEnd.ended, 1);
        QVERIFY(!window.timer(1).isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
