#include <QtTest>

#include "FakeDisplay.h"
#include "Scripted.h"
#include "counters/CounterTable.h"
#include "counters/DigitCounter.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
// A counter with its own timer, clock and labels, as the main window wires
// one.
struct Rig {
    explicit Rig(DigitCounterParams params) : counter(timer, clock, display.pointers(), display.separator, params)
    {
        timer.setInterval(1000);
        timer.setEnabled(false);
        for (auto& d : digits)
            d.setText(QStringLiteral("0"));
        separator.setText(QStringLiteral(":"));
        for (auto& d : digits)
            d.textWrites = 0;
    }
    QString shown() const { return display.shown(); }
    std::array<int, 4> writes() const { return display.writes(); }
    void resetWrites() { display.resetWrites(); }
    bool coloured(QRgb c) const { return display.coloured(c); }
    // Seconds pass, and the timer ticks at the end of each.
    void seconds(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(1);
            timer.tick();
        }
    }
    // The timer ticks `ms` after its last tick.
    void tickAfter(qint64 ms)
    {
        clock.advanceMs(ms);
        timer.tick();
    }

    ManualTimer timer;
    FakeClock clock;
    FakeDisplay display;
    std::array<FakeLabel, 4>& digits = display.digits;
    FakeLabel& separator = display.separator;
    DigitCounter counter;
};

DigitCounterParams minutesSeconds(int due = -1)
{
    return {0, due, colours::kYellow, true};
}
DigitCounterParams hoursMinutes()
{
    return {2, -1, 0xFFFF8000, false};
}
} // namespace

class DigitCounterTest : public QObject {
    Q_OBJECT
private slots:
    void countsWithCarry_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("mmss");
        QTest::addColumn<QString>("hhmm");
        QTest::newRow("one tick") << 1 << "00:01"
                                  << "00:00";
        QTest::newRow("ten") << 10 << "00:10"
                             << "00:00";
        QTest::newRow("59") << 59 << "00:59"
                            << "00:00";
        QTest::newRow("one minute") << 60 << "01:00"
                                    << "00:01";
        QTest::newRow("ten minutes") << 600 << "10:00"
                                     << "00:10";
        QTest::newRow("59:59") << 3599 << "59:59"
                               << "00:59";
        QTest::newRow("an hour") << 3600 << "00:00"
                                 << "01:00";
        QTest::newRow("1h23m45s") << 5025 << "23:45"
                                  << "01:23";
        QTest::newRow("just under 60 hours") << 215999 << "59:59"
                                             << "59:59";
        QTest::newRow("60 hours wraps") << 216000 << "00:00"
                                        << "00:00";
        QTest::newRow("after the wrap") << 216061 << "01:01"
                                        << "00:01";
    }
    void countsWithCarry()
    {
        QFETCH(int, ticks);
        QFETCH(QString, mmss);
        QFETCH(QString, hhmm);
        Rig ms(minutesSeconds());
        Rig hm(hoursMinutes());
        ms.counter.startCounter();
        hm.counter.startCounter();
        ms.seconds(ticks);
        hm.seconds(ticks);
        QCOMPARE(ms.shown(), mmss);
        QCOMPARE(hm.shown(), hhmm);
    }

    void cellsHoldTheWholeTime()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.seconds(5025);
        const std::array<int, 6> expected = {5, 4, 3, 2, 1, 0};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(r.counter.cell(k), expected[static_cast<std::size_t>(k)]);
        r.seconds(7200 - 5025); // to 2:00:00 exactly
        QCOMPARE(r.counter.cell(4), 2);
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
    }

    void idleCounterDoesNotTick()
    {
        Rig r(minutesSeconds());
        QVERIFY(!r.timer.tick());
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.clock.advance(30); // idle time is not counted
        r.counter.startCounter();
        r.seconds(1);
        r.counter.startCounter(); // starting a running counter neither zeroes nor pauses it
        r.seconds(1);
        QCOMPARE(r.shown(), QStringLiteral("00:02"));
    }

    // Only the displayed digits that changed are written.
    void refreshesOnlyChangedPositions()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.seconds(1);
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 0, 0, 0}));
        r.resetWrites();
        r.seconds(9); // 00:10
        QCOMPARE(r.writes(), (std::array<int, 4>{9, 1, 0, 0}));
        r.resetWrites();
        r.seconds(50); // 01:00
        QCOMPARE(r.writes(), (std::array<int, 4>{50, 5, 1, 0}));
        r.resetWrites();
        r.seconds(540); // 10:00
        QCOMPARE(r.writes()[3], 1);
        r.resetWrites();
        r.seconds(3000); // 1:00:00: hours carry rewrites all four
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        QCOMPARE(r.writes()[3], 5);
    }

    // An hours:minutes display counts its seconds unseen: its rightmost
    // digit is written once a minute.
    void hoursMinutesWritesOnceAMinute()
    {
        Rig r(hoursMinutes());
        r.counter.startCounter();
        r.seconds(59);
        QCOMPARE(r.writes(), (std::array<int, 4>{0, 0, 0, 0}));
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.seconds(1);
        QCOMPARE(r.shown(), QStringLiteral("00:01"));
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 0, 0, 0}));
    }

    // The program stopped (or the machine too busy to deliver ticks, or
    // suspended): the next tick shows the time since the event, writing
    // only the digits that jumped, the hours counted unseen. Then one second
    // a tick, at whatever fraction of the counter's second ticks now come.
    void lateTickShowsTheElapsedTime_data()
    {
        QTest::addColumn<qint64>("missedMs");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("written"); // digit labels
        QTest::addColumn<int>("hours");
        QTest::newRow("stopped 15 s") << qint64(15'000) << "00:26" << 2 << 0;
        QTest::newRow("suspended 15.6 s") << qint64(15'600) << "00:27" << 2 << 0;
        QTest::newRow("two hours") << qint64(7'200'400) << "00:11" << 1 << 2;
    }
    void lateTickShowsTheElapsedTime()
    {
        QFETCH(qint64, missedMs);
        QFETCH(QString, after);
        QFETCH(int, written);
        QFETCH(int, hours);
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.seconds(10);
        r.resetWrites();
        r.clock.advanceMs(missedMs);
        r.seconds(1);
        QCOMPARE(r.shown(), after);
        const auto w = r.writes();
        QCOMPARE(w[0] + w[1] + w[2] + w[3], written);
        QCOMPARE(r.counter.cell(4), hours);
        for (int i = 0; i < 20; ++i) {
            const int before = r.counter.elapsedSeconds();
            r.seconds(1);
            QCOMPARE(r.counter.elapsedSeconds(), before + 1);
        }
    }

    // Ticks a little early or late around the half second of the counter's
    // time count one second each: rounding each reading would show 1, 3, 3,
    // 5, 5. A restart counts from its own moment.
    void ticksCountEvenlyFromTheEvent()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        for (int i = 1; i <= 5; ++i) {
            r.tickAfter(i == 1 ? 1490 : i % 2 ? 980 : 1020);
            QCOMPARE(r.counter.elapsedSeconds(), i);
        }
        r.clock.advanceMs(900);
        r.counter.resetDigits();
        r.tickAfter(100); // 0.1 s after the restart
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.seconds(1);
        QCOMPARE(r.shown(), QStringLiteral("00:01"));
    }

    void dueColourAtThreshold_data()
    {
        QTest::addColumn<int>("threshold");
        QTest::newRow("CPR at 2:00") << 2;
        QTest::newRow("drugs at 3:00") << 3;
    }
    void dueColourAtThreshold()
    {
        QFETCH(int, threshold);
        Rig r(minutesSeconds(threshold));
        r.counter.startCounter();
        r.counter.setDigitColour(colours::kYellow);
        r.seconds(threshold * 60 - 1);
        QVERIFY(r.coloured(colours::kYellow));
        r.seconds(1);
        QCOMPARE(r.shown(), QStringLiteral("0%1:00").arg(threshold));
        QVERIFY(r.coloured(colours::kCounterDue));
        // Stays due through later minutes, hours and the wrap past 59:59.
        r.seconds(3600 - threshold * 60 + 45 * 60);
        QVERIFY(r.coloured(colours::kCounterDue));
    }

    void dueAppliedBeforeRefresh()
    {
        // The digits that show the threshold time are already light red:
        // the colour is set before that tick's digits are written.
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.seconds(119);
        int colourWritesBefore = r.digits[2].colourWrites;
        r.seconds(1);
        QCOMPARE(r.digits[2].colourWrites, colourWritesBefore + 1);
        QCOMPARE(r.digits[2].text(), QStringLiteral("2"));
    }

    void resetBeforeThresholdDelaysDue()
    {
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.counter.setDigitColour(colours::kYellow);
        r.seconds(119); // 01:59
        r.counter.setDigitColour(colours::kYellow);
        r.counter.resetDigits();
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.seconds(119);
        QVERIFY(r.coloured(colours::kYellow));
        r.seconds(1);
        QVERIFY(r.coloured(colours::kCounterDue));
    }

    void resetWhileDueKeepsColour()
    {
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.seconds(150); // 02:30, due
        r.counter.resetDigits();
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        QVERIFY(r.coloured(colours::kCounterDue));
        r.seconds(1);
        QCOMPARE(r.shown(), QStringLiteral("00:01"));
    }

    // The hours, never shown, start from zero too: the counter measures
    // from its latest event.
    void resetZeroesEveryCell()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.seconds(3600 + 61);
        r.resetWrites();
        r.counter.resetDigits();
        QCOMPARE(r.counter.elapsedSeconds(), 0);
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 1, 1, 1}));
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
    }

    // A late tick that reaches or jumps past the threshold turns the
    // counter due; one that stays short of it does not.
    void lateTickPastThreshold_data()
    {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("before"); // seconds shown when the ticks stop
        QTest::addColumn<int>("stalled");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("due");
        QTest::newRow("CPR 01:58 to 02:03") << 2 << 118 << 5 << "02:03" << true;
        QTest::newRow("CPR 01:00 to 01:30") << 2 << 60 << 30 << "01:30" << false;
        QTest::newRow("CPR over an hour") << 2 << 60 << 3600 << "01:00" << true;
        QTest::newRow("epinephrine 02:50 to 03:00") << 3 << 170 << 10 << "03:00" << true;
    }
    void lateTickPastThreshold()
    {
        QFETCH(int, threshold);
        QFETCH(int, before);
        QFETCH(int, stalled);
        QFETCH(QString, after);
        QFETCH(bool, due);
        Rig r(minutesSeconds(threshold));
        r.counter.startCounter();
        r.counter.setDigitColour(colours::kYellow);
        r.seconds(before);
        r.tickAfter(qint64(stalled) * 1000);
        QCOMPARE(r.shown(), after);
        QVERIFY(r.coloured(due ? colours::kCounterDue : colours::kYellow));
    }

    void noThresholdNeverDue()
    {
        Rig r(minutesSeconds(-1));
        r.counter.startCounter();
        r.counter.setDigitColour(colours::kYellow);
        r.seconds(3 * 3600);
        QVERIFY(r.coloured(colours::kYellow));
    }

    void arrivalCounterHasNoReset()
    {
        Rig r(counterSpec(CounterId::Arrival).params);
        r.counter.startCounter();
        r.seconds(120);
        r.counter.resetDigits();
        QCOMPARE(r.shown(), QStringLiteral("00:02"));
    }

    void counterTableParameters()
    {
        QCOMPARE(counterSpec(CounterId::Arrival).params.firstDisplayedCell, 2);
        QCOMPARE(counterSpec(CounterId::Cpr).params.dueThreshold, 2);
        QCOMPARE(counterSpec(CounterId::Epinephrine).params.dueThreshold, 3);
        QCOMPARE(counterSpec(CounterId::Atropine).params.dueThreshold, 3);
        QCOMPARE(counterSpec(CounterId::Antiarrhythmic).params.dueThreshold, -1);
        for (const auto& entry : counterTable())
            QCOMPARE(entry.timerNumber, static_cast<int>(entry.id) + 2);
    }
};

QTEST_GUILESS_MAIN(DigitCounterTest)
#include "tst_DigitCounter.moc"
