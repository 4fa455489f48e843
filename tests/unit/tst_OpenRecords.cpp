// One record a user and display unless another is asked for: a start while
// a record is open asks (No the default); No brings the open record to the
// front, Yes opens another at a place of its own. Each DesktopOpenRecords
// here stands for one program, on a display of the test's own.
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

#include "Scripted.h"
#include "platform/OpenRecords.h"
#include "record/StartUp.h"

using namespace veltrasa;
using testing::ScriptedMessageBox;
using testing::ShownMessage;

class OpenRecordsTest : public QObject {
    Q_OBJECT
private:
    int display_ = 0;
    QString display() const { return QStringLiteral("test-%1-%2").arg(::getpid()).arg(display_); }
    std::unique_ptr<DesktopOpenRecords> program() { return std::make_unique<DesktopOpenRecords>(display()); }

private slots:
    void init() { ++display_; }

    void askedOnlyWhileARecordIsOpen()
    {
        ScriptedMessageBox box;
        const auto first = program();
        QSignalSpy raised(first.get(), &DesktopOpenRecords::raiseRequested);
        QCOMPARE(openRecordPlace(*first, box), std::optional<int>(0));
        QVERIFY(box.shown.empty());

        // No: nothing opened, no place kept, the first record to the front.
        const auto declined = program();
        box.answer({Answer::No});
        QCOMPARE(openRecordPlace(*declined, box), std::nullopt);
        QCOMPARE(box.shown.size(), 1u);
        QCOMPARE(box.shown[0].kind, ShownMessage::Question);
        QCOMPARE(box.shown[0].text, QStringLiteral("記録中の画面があります。新しい記録を別に開始しますか？"));
        QCOMPARE(box.shown[0].byDefault, Answer::No);
        QVERIFY(raised.wait(2000));

        // Yes: a second record at the next place, the one No left free; no
        // one raised.
        const auto second = program();
        box.answer({Answer::Yes});
        QCOMPARE(openRecordPlace(*second, box), std::optional<int>(1));
        QTest::qWait(100);
        QCOMPARE(raised.count(), 1);
        QCOMPARE(box.unexpectedQuestions, 0);
    }

    // A place given up is taken again; a record at a higher place still
    // counts as open, and is the one brought to the front.
    void placesAreReusedAndHigherOnesSeen()
    {
        auto first = program();
        const auto second = program();
        QCOMPARE(first->claimIfAlone(), std::optional<int>(0));
        QCOMPARE(second->claim(), 1);
        first.reset();
        QSignalSpy raised(second.get(), &DesktopOpenRecords::raiseRequested);
        const auto third = program();
        QCOMPARE(third->claimIfAlone(), std::nullopt);
        third->raiseOpenRecord();
        QVERIFY(raised.wait(2000));
        QCOMPARE(third->claim(), 0);
        // Another display's records are not this one's.
        QCOMPARE(DesktopOpenRecords(display() + QStringLiteral("-other")).claimIfAlone(), std::optional<int>(0));
    }

    // A program that has stopped still holds its record, but holds up the
    // start that asks it to the front for a second at the most; once killed
    // it holds nothing.
    void aStoppedProgramHoldsItsPlaceUntilKilled()
    {
        const QString shared = display();
        const pid_t child = ::fork();
        if (child == 0) {
            DesktopOpenRecords records(shared);
            if (records.claimIfAlone() != 0)
                ::_exit(1);
            ::raise(SIGSTOP);
            ::_exit(0);
        }
        // Killed whatever the outcome, so that no stopped child outlives the test.
        auto killed = qScopeGuard([child] {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        });
        int status = 0;
        QCOMPARE(::waitpid(child, &status, WUNTRACED), child);
        QVERIFY(WIFSTOPPED(status));
        DesktopOpenRecords next(shared);
        QCOMPARE(next.claimIfAlone(), std::nullopt);
        QElapsedTimer raising;
        raising.start();
        next.raiseOpenRecord();
        QCOMPARE_LE(raising.elapsed(), DesktopOpenRecords::kRaiseTimeoutMs + 200);
        killed.dismiss();
        ::kill(child, SIGKILL);
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(DesktopOpenRecords(shared).claimIfAlone(), std::optional<int>(0));
    }
};

QTEST_GUILESS_MAIN(OpenRecordsTest)
#include "tst_OpenRecords.moc"
