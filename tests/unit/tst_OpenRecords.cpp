// One record a user and display unless another is asked for: a start while
// a record is open asks (No the default); No brings the open record to the
// front, Yes opens another at a place of its own. Each DesktopOpenRecords
// here stands for one program, on X servers of the test's own.
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Scripted.h"
#include "desktop/DesktopOpenRecords.h"
#include "record/StartUp.h"

using namespace veltrasa;
using testing::ScriptedMessageBox;
using testing::ShownMessage;

struct EndsWhileAsked final : OpenRecords { // a record that ends while the next start asks
    int looks = 0, raised = 0;
    std::optional<int> claimIfAlone() override { return looks++ ? std::optional<int>(0) : std::nullopt; }
    int claim() override { return 1; }
    void raiseOpenRecord() override { ++raised; }
};

class OpenRecordsTest : public QObject {
    Q_OBJECT
private:
    QProcess servers_[2];
    QString displays_[2]; // their displays, ":N"
    QString display() const { return displays_[0]; }
    std::unique_ptr<DesktopOpenRecords> program() { return std::make_unique<DesktopOpenRecords>(display()); }

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 2; ++i) {
            servers_[i].start(QStringLiteral("Xvfb"),
                              {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-listen"),
                               QStringLiteral("tcp"), QStringLiteral("-noreset")});
            QVERIFY(servers_[i].waitForReadyRead(10000));
            displays_[i] = QLatin1Char(':') + QString::fromLatin1(servers_[i].readLine().trimmed());
        }
    }
    void cleanupTestCase()
    {
        for (QProcess& server : servers_)
            server.terminate(), server.waitForFinished();
    }

    // The display is the X server, however it is named; Wayland's is the
    // compositor's socket, whatever path names it.
    void oneDisplayHoweverNamed()
    {
        const auto first = program();
        QCOMPARE(first->claimIfAlone(), std::optional<int>(0));
        for (const QString& name : {displays_[0] + QStringLiteral(".0"), QStringLiteral("unix") + displays_[0],
                                    QStringLiteral("localhost") + displays_[0]})
            QVERIFY2(!DesktopOpenRecords(name).claimIfAlone(), qPrintable(name));
        QCOMPARE(DesktopOpenRecords(displays_[1]).claimIfAlone(), std::optional<int>(0));

        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        for (const char* name : {"wayland-0", "wayland-1"})
            QVERIFY(QFile(runtime.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
        DesktopOpenRecords wayland(QString(), runtime.filePath(QStringLiteral("wayland-0")));
        QCOMPARE(wayland.claimIfAlone(), std::optional<int>(0));
        QCOMPARE(DesktopOpenRecords(QString(), QStringLiteral("wayland-0")).claimIfAlone(), std::nullopt);
        QCOMPARE(DesktopOpenRecords(QString(), QStringLiteral("wayland-1")).claimIfAlone(), std::optional<int>(0));
    }

    // A start held up while it claims (the other start, in a process of
    // its own, given half a second meanwhile): the other sees it, and only
    // the other asks. No with nothing left open opens the record after all.
    void twoStartsAtOnceOneAsks()
    {
        const auto first = program();
        pid_t other = -1;
        first->setClaimHook([&] {
            int ended[2];
            QVERIFY(::pipe(ended) == 0);
            if ((other = ::fork()) == 0)
                ::_exit(DesktopOpenRecords(display()).claimIfAlone() ? 1 : 0);
            ::close(ended[1]);
            pollfd end{ended[0], POLLIN, 0};
            ::poll(&end, 1, 500);
        });
        QCOMPARE(first->claimIfAlone(), std::optional<int>(0));
        int status = 0;
        QCOMPARE(::waitpid(other, &status, 0), other);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the other start did not see this one");

        EndsWhileAsked ended;
        ScriptedMessageBox box;
        box.answer({Answer::No});
        QCOMPARE(openRecordPlace(ended, box), std::optional<int>(0));
        QCOMPARE(box.shown.size(), 1u);
        QCOMPARE(ended.raised, 0);
    }

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
