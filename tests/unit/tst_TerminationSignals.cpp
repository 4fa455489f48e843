#include <QSignalSpy>
#include <QtTest>
#include <csignal>

#include "desktop/TerminationSignals.h"

using veltrasa::TerminationSignals;

namespace {
void (*currentHandler(int signalNumber))(int)
{
    struct sigaction action {};
    ::sigaction(signalNumber, nullptr, &action);
    return action.sa_handler;
}
} // namespace

// A request to end reaches the event loop as a signal instead of ending the
// process, and the handlers are given back afterwards.
class TerminationSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void eachRequestArrivesOnTheEventLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void eachRequestArrivesOnTheEventLoop()
    {
        QFETCH(int, signalNumber);
        TerminationSignals signals_;
        QVERIFY(signals_.isActive());
        QSignalSpy spy(&signals_, &TerminationSignals::received);
        // Nothing arrives before the event loop runs: the handler itself only
        // writes to the pipe.
        QCOMPARE(::raise(signalNumber), 0);
        QCOMPARE(spy.count(), 0);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), signalNumber);
    }

    void requestsInABurstAreAllDelivered()
    {
        TerminationSignals signals_;
        QSignalSpy spy(&signals_, &TerminationSignals::received);
        ::raise(SIGTERM);
        ::raise(SIGTERM);
        ::raise(SIGHUP);
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toInt(), int(SIGHUP));
    }

    void previousHandlersComeBackAndASecondInstanceCanFollow()
    {
        // QtTest has handlers of its own on these signals; they must be the
        // ones in force again afterwards, as must an ignored signal.
        const auto testlibTerm = currentHandler(SIGTERM);
        struct sigaction testlibHup {};
        ::sigaction(SIGHUP, nullptr, &testlibHup);
        ::signal(SIGHUP, SIG_IGN);
        {
            TerminationSignals signals_;
            QVERIFY(currentHandler(SIGTERM) != testlibTerm);
            QVERIFY(currentHandler(SIGHUP) != SIG_IGN);
            // Only one instance owns the handlers at a time.
            TerminationSignals second;
            QVERIFY(!second.isActive());
        }
        QVERIFY(currentHandler(SIGTERM) == testlibTerm);
        QVERIFY(currentHandler(SIGHUP) == SIG_IGN);
        ::sigaction(SIGHUP, &testlibHup, nullptr);

        TerminationSignals again;
        QVERIFY(again.isActive());
        QSignalSpy spy(&again, &TerminationSignals::received);
        ::raise(SIGTERM);
        QTRY_COMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TerminationSignalsTest)
#include "tst_TerminationSignals.moc"
