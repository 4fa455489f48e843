// The one-second timers of the clock and counters: their first period ends
// on a whole second of the monotonic clock, so timers started at different moments tick
// together; a period of 0 or a disabled timer never ticks.
#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>

#include "desktop/QtTimerFactory.h"
#include "platform/Timer.h"

using namespace veltrasa;

namespace {
struct Ticks {
    std::unique_ptr<Timer> timer;
    QList<qint64> at; // monotonic milliseconds of each tick
};

std::unique_ptr<Ticks> startedTimer(QtTimerFactory& factory, int periodMs, bool enabled = true)
{
    auto t = std::make_unique<Ticks>();
    t->timer = factory.createTimer();
    t->timer->setHandler([raw = t.get()] { raw->at << QDeadlineTimer::current().deadline(); });
    t->timer->setEnabled(enabled);
    t->timer->setInterval(periodMs);
    return t;
}
} // namespace

class TimerTest : public QObject {
    Q_OBJECT
private slots:
    void firstPeriodEndsOnTheNearestSecond_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("first");
        QTest::newRow("on the grid") << qint64(10'000) << 1000 << 1000;
        QTest::newRow("just after") << qint64(10'001) << 1000 << 999;
        QTest::newRow("half a second early") << qint64(10'499) << 1000 << 501;
        QTest::newRow("half a second late") << qint64(10'500) << 1000 << 1500;
        QTest::newRow("just before") << qint64(10'999) << 1000 << 1001;
        QTest::newRow("other periods") << qint64(10'100) << 2000 << 1900;
        QTest::newRow("short periods kept") << qint64(10'100) << 500 << 500;
        QTest::newRow("zero kept") << qint64(10'100) << 0 << 0;
    }
    void firstPeriodEndsOnTheNearestSecond()
    {
        QFETCH(qint64, now);
        QFETCH(int, period);
        QFETCH(int, first);
        QCOMPARE(alignedFirstPeriod(now, period), first);
        if (period >= 1000)
            QVERIFY(qAbs(first - period) <= 500);
    }

    // After a tick far off the whole second the next period ends on the
    // nearest whole second again; a tick on time keeps the period.
    void backOnTheSecondAfterALateTick_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("next");
        QTest::newRow("on the second") << qint64(17'000) << 1000;
        QTest::newRow("a little late") << qint64(17'080) << 1000;
        QTest::newRow("a little early") << qint64(16'950) << 1000;
        QTest::newRow("a third late") << qint64(17'300) << 700;
        QTest::newRow("past the half") << qint64(17'700) << 1300;
    }
    void backOnTheSecondAfterALateTick()
    {
        QFETCH(qint64, now);
        QFETCH(int, next);
        QCOMPARE(nextPeriod(now, 1000), next);
        QCOMPARE(nextPeriod(now, 500), 500);
    }

    // The program stalls for 2.3 s (stopped, or busy): Qt delivers one tick,
    // more than a period late, and would go on from its moment, 0.3 s off
    // the second. The timers come back to the whole second and tick
    // together.
    void stalledTimersComeBackToTheSecond()
    {
        QtTimerFactory factory;
        auto a = startedTimer(factory, 1000);
        auto b = startedTimer(factory, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(a->at.size() >= 1, 3000);
        QThread::msleep(2300);
        QTRY_VERIFY_WITH_TIMEOUT(a->at.size() >= 4 && b->at.size() >= 4, 6000);
        const qint64 lastA = a->at.last(), lastB = b->at.last();
        const qint64 fromSecond = lastA % 1000 < 500 ? lastA % 1000 : 1000 - lastA % 1000;
        QVERIFY2(fromSecond < 150, qPrintable(QStringLiteral("%1").arg(lastA)));
        QVERIFY2(qAbs(lastA - lastB) < 30, qPrintable(QStringLiteral("%1 %2").arg(lastA).arg(lastB)));
    }

    // Started 300 ms apart, two timers still tick in the same pass of the
    // event loop, and keep a one-second period.
    void timersStartedApartTickTogether()
    {
        QtTimerFactory factory;
        auto a = startedTimer(factory, 1000);
        QTest::qWait(300);
        auto b = startedTimer(factory, 1000);
        auto never = startedTimer(factory, 0);
        auto disabled = startedTimer(factory, 1000, false);
        QTRY_VERIFY_WITH_TIMEOUT(a->at.size() >= 3 && b->at.size() >= 2, 5000);
        const qint64 lastA = a->at.last(), lastB = b->at.last();
        QVERIFY2(qAbs(lastA - lastB) < 30, qPrintable(QStringLiteral("%1 %2").arg(lastA).arg(lastB)));
        QVERIFY(qAbs(a->at[2] - a->at[1] - 1000) < 100);
        QVERIFY(never->at.isEmpty());
        QVERIFY(disabled->at.isEmpty());
    }

    // A period of 0 stops a running timer, a new period starts it again,
    // disabling stops it.
    void periodAndEnabledStartAndStop()
    {
        QtTimerFactory factory;
        auto t = startedTimer(factory, 1000);
        t->timer->setInterval(0);
        QTest::qWait(1300);
        QVERIFY(t->at.isEmpty());
        t->timer->setInterval(1000);
        QTRY_COMPARE_WITH_TIMEOUT(t->at.size(), 1, 2000);
        t->timer->setEnabled(false);
        QVERIFY(!t->timer->isEnabled());
        QTest::qWait(1300);
        QCOMPARE(t->at.size(), 1);
    }
};

QTEST_MAIN(TimerTest)
#include "tst_Timer.moc"
