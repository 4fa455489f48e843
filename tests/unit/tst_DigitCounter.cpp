#include <QtTest>

#include "FakeDisplay.h"
#include "Scripted.h"
#include "counters/CounterTable.h"
#include "counters/DigitCounter.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
constexpr QRgb kYellow = 0xFFFFFF00;

// A counter with its own timer and labels, as the main window wires one.
struct Rig {
    explicit Rig(DigitCounterParams params) : counter(timer, display.pointers(), display.separator, params)
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

    ManualTimer timer;
    FakeDisplay display;
    std::array<FakeLabel, 4>& digits = display.digits;
    FakeLabel& separator = display.separator;
    DigitCounter counter;
};

DigitCounterParams minutesSeconds(int due = -1)
{
    return {0, due, kYellow, true};
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
        ms.timer.ticks(ticks);
        hm.timer.ticks(ticks);
        QCOMPARE(ms.shown(), mmss);
        QCOMPARE(hm.shown(), hhmm);
    }

    void cellsHoldTheWholeTime()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.timer.ticks(5025);
        const std::array<int, 6> expected = {5, 4, 3, 2, 1, 0};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(r.counter.cell(k), expected[static_cast<std::size_t>(k)]);
        r.timer.ticks(7200 - 5025); // to 2:00:00 exactly
        QCOMPARE(r.counter.cell(4), 2);
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
    }

    void idleCounterDoesNotTick()
    {
        Rig r(minutesSeconds());
        QVERIFY(!r.timer.tick());
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.counter.startCounter();
        QVERIFY(r.timer.tick());
        r.counter.startCounter(); // starting a running counter neither zeroes nor pauses it
        QVERIFY(r.timer.tick());
        QCOMPARE(r.shown(), QStringLiteral("00:02"));
    }

    // Only the displayed digits that can have changed are written.
    void refreshesOnlyChangedPositions()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.timer.tick();
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 0, 0, 0}));
        r.resetWrites();
        r.timer.ticks(9); // 00:10
        QCOMPARE(r.writes(), (std::array<int, 4>{9, 1, 0, 0}));
        r.resetWrites();
        r.timer.ticks(50); // 01:00
        QCOMPARE(r.writes(), (std::array<int, 4>{50, 5, 1, 0}));
        r.resetWrites();
        r.timer.ticks(540); // 10:00
        QCOMPARE(r.writes()[3], 1);
        r.resetWrites();
        r.timer.ticks(3000); // 1:00:00: hours carry rewrites all four
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        QCOMPARE(r.writes()[3], 5);
    }

    // An hours:minutes display rewrites its rightmost digit every tick.
    void hoursMinutesRefreshesMinutesEveryTick()
    {
        Rig r(hoursMinutes());
        r.counter.startCounter();
        r.timer.ticks(59);
        // Each tens-of-seconds carry also rewrites position 1 (tens of minutes).
        QCOMPARE(r.writes(), (std::array<int, 4>{59, 5, 0, 0}));
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.timer.tick();
        QCOMPARE(r.shown(), QStringLiteral("00:01"));
        QCOMPARE(r.writes(), (std::array<int, 4>{60, 6, 1, 0}));
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
        r.counter.setDigitColour(kYellow);
        r.timer.ticks(threshold * 60 - 1);
        QVERIFY(r.coloured(kYellow));
        r.timer.tick();
        QCOMPARE(r.shown(), QStringLiteral("0%1:00").arg(threshold));
        QVERIFY(r.coloured(DigitCounter::kDueColour));
        // Stays due through later minutes, hours and the wrap past 59:59.
        r.timer.ticks(3600 - threshold * 60 + 45 * 60);
        QVERIFY(r.coloured(DigitCounter::kDueColour));
    }

    void dueAppliedBeforeRefresh()
    {
        // The digits that show the threshold time are already light red:
        // the colour is set before that tick's digits are written.
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.timer.ticks(119);
        int colourWritesBefore = r.digits[2].colourWrites;
        r.timer.tick();
        QCOMPARE(r.digits[2].colourWrites, colourWritesBefore + 1);
        QCOMPARE(r.digits[2].text(), QStringLiteral("2"));
    }

    void resetBeforeThresholdDelaysDue()
    {
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.counter.setDigitColour(kYellow);
        r.timer.ticks(119); // 01:59
        r.counter.setDigitColour(kYellow);
        r.counter.resetDigits();
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        r.timer.ticks(119);
        QVERIFY(r.coloured(kYellow));
        r.timer.tick();
        QVERIFY(r.coloured(DigitCounter::kDueColour));
    }

    void resetWhileDueKeepsColour()
    {
        Rig r(minutesSeconds(2));
        r.counter.startCounter();
        r.timer.ticks(150); // 02:30, due
        r.counter.resetDigits();
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        QVERIFY(r.coloured(DigitCounter::kDueColour));
        r.timer.tick();
        QCOMPARE(r.shown(), QStringLiteral("00:01"));
    }

    void resetKeepsHours()
    {
        Rig r(minutesSeconds());
        r.counter.startCounter();
        r.timer.ticks(3600 + 61);
        r.resetWrites();
        r.counter.resetDigits();
        QCOMPARE(r.counter.cell(4), 1);
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 1, 1, 1}));
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
    }

    void noThresholdNeverDue()
    {
        Rig r(minutesSeconds(-1));
        r.counter.startCounter();
        r.counter.setDigitColour(kYellow);
        r.timer.ticks(3 * 3600);
        QVERIFY(r.coloured(kYellow));
    }

    void arrivalCounterHasNoReset()
    {
        Rig r(counterSpec(CounterId::Arrival).params);
        r.counter.startCounter();
        r.timer.ticks(120);
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
