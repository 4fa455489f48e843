#include <QtTest>

#include "FakeDisplay.h"
#include "Scripted.h"
#include "common/Colours.h"
#include "counters/ClockDisplay.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
struct Rig {
    explicit Rig(QDateTime start) : clock(start)
    {
        display.initClockDisplay();
        display.showToday();
        resetWrites();
    }
    QString shown() const { return time.shown(); }
    std::array<int, 4> writes() const { return time.writes(); }
    void resetWrites()
    {
        time.resetWrites();
        date.textWrites = 0;
    }
    // One second passes and the clock's timer ticks.
    void second()
    {
        clock.advance(1);
        display.clockTick();
    }

    FakeClock clock;
    FakeDisplay time;
    FakeLabel& separator = time.separator;
    FakeLabel date, arrivalSeparator;
    ClockDisplay display{clock, time.pointers(), time.separator, date, arrivalSeparator};
};
} // namespace

class ClockDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void showsTimeAtOnceAndWritesOnlyChangedDigits()
    {
        Rig r(QDateTime(QDate(2005, 6, 4), QTime(9, 5, 30)));
        QCOMPARE(r.shown(), QStringLiteral("09:05"));
        QCOMPARE(r.date.text(), QStringLiteral("2005-06-04"));
        QCOMPARE(r.display.clockDigits, (std::array<int, 4>{5, 0, 9, 0}));
        for (int i = 0; i < 29; ++i)
            r.second();
        QCOMPARE(r.writes(), (std::array<int, 4>{0, 0, 0, 0}));
        r.second();
        QCOMPARE(r.shown(), QStringLiteral("09:06"));
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 0, 0, 0}));
        QCOMPARE(r.date.textWrites, 0);
    }

    void hourChange()
    {
        Rig r(QDateTime(QDate(2005, 6, 4), QTime(12, 59, 59)));
        r.second();
        QCOMPARE(r.shown(), QStringLiteral("13:00"));
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 1, 1, 0}));
    }

    void midnightChangesDateOnTheSameTick()
    {
        Rig r(QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59)));
        r.second();
        QCOMPARE(r.shown(), QStringLiteral("00:00"));
        QCOMPARE(r.writes(), (std::array<int, 4>{1, 1, 1, 1}));
        QCOMPARE(r.date.text(), QStringLiteral("2006-01-01"));
        QCOMPARE(r.date.textWrites, 1);
        QCOMPARE(r.display.displayedDate, QDate(2006, 1, 1));
        r.second();
        QCOMPARE(r.date.textWrites, 1);
    }

    void followsClockSetBackOrForward()
    {
        Rig r(QDateTime(QDate(2005, 6, 4), QTime(10, 0, 0)));
        r.clock.set(QDateTime(QDate(2005, 6, 3), QTime(8, 15, 0)));
        r.display.clockTick();
        QCOMPARE(r.shown(), QStringLiteral("08:15"));
        QCOMPARE(r.date.text(), QStringLiteral("2005-06-03"));
    }

    void blinkPhases()
    {
        Rig r(QDateTime(QDate(2005, 6, 4), QTime(10, 0, 0)));
        r.arrivalSeparator.setColour(0xFF804000);
        r.arrivalSeparator.colourWrites = 0;
        r.second();
        QCOMPARE(r.separator.colour(), colours::kClockDim);
        QVERIFY(r.display.colonDimmed);
        r.second();
        QCOMPARE(r.separator.colour(), colours::kClockBright);
        QCOMPARE(r.arrivalSeparator.colourWrites, 0); // arrival not yet recorded

        r.display.arrivalRecorded = true;
        r.second();
        QCOMPARE(r.separator.colour(), colours::kClockDim);
        QCOMPARE(r.arrivalSeparator.colour(), colours::kArrivalDim);
        r.second();
        QCOMPARE(r.separator.colour(), colours::kClockBright);
        QCOMPARE(r.arrivalSeparator.colour(), colours::kArrivalBright);
    }

    void dateIsAsciiWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        QCOMPARE(formatDisplayDate(QDate(2005, 6, 4)), QStringLiteral("2005-06-04"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_GUILESS_MAIN(ClockDisplayTest)
#include "tst_ClockDisplay.moc"
