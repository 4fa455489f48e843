// One record a user and display unless another is asked for: a start while
// a record is open asks (No the default); No brings the open record to the
// front, Yes opens another at a place of its own. The records are told
// apart by lock files, and a program that was killed leaves nothing in the
// way. Each DesktopOpenRecords here stands for one program.
#include <QDir>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
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
    QTemporaryDir folder_;
    std::unique_ptr<DesktopOpenRecords> program(const char* display = "_0")
    {
        return std::make_unique<DesktopOpenRecords>(folder_.path(), QString::fromLatin1(display));
    }
    QStringList files() const { return QDir(folder_.path()).entryList(QDir::Files | QDir::System); }

private slots:
    void init() { QVERIFY(QDir(folder_.path()).removeRecursively() && QDir().mkpath(folder_.path())); }

    void askedOnlyWhileARecordIsOpen()
    {
        ScriptedMessageBox box;
        const auto first = program();
        QSignalSpy raised(first.get(), &DesktopOpenRecords::raiseRequested);
        QCOMPARE(openRecordPlace(*first, box), std::optional<int>(0));
        QVERIFY(box.shown.empty());

        // No: nothing opened, nothing kept, the first record to the front.
        const auto declined = program();
        box.answer({Answer::No});
        QCOMPARE(openRecordPlace(*declined, box), std::nullopt);
        QCOMPARE(box.shown.size(), 1u);
        QCOMPARE(box.shown[0].kind, ShownMessage::Question);
        QCOMPARE(box.shown[0].text, QStringLiteral("記録中の画面があります。新しい記録を別に開始しますか？"));
        QCOMPARE(box.shown[0].byDefault, Answer::No);
        QVERIFY(raised.wait(2000));
        QCOMPARE(files().filter(QStringLiteral("-1.")), QStringList());

        // Yes: a second record, at the next place; no one raised.
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
        QCOMPARE(program("_1")->claimIfAlone(), std::optional<int>(0));
    }

    // A program killed at place 0 and one at place 2 leave their lock files
    // and sockets; the next start is alone, takes place 0 and clears both.
    void aKilledProgramLeavesNothingInTheWay()
    {
        for (const int place : {0, 2}) {
            const QString name = QStringLiteral("%1/veltrasa-%2-_0-%3").arg(folder_.path()).arg(::getuid()).arg(place);
            QFile(name + QStringLiteral(".socket")).open(QIODevice::WriteOnly);
            const pid_t child = ::fork();
            if (child == 0) {
                QLockFile lock(name + QStringLiteral(".lock"));
                ::_exit(lock.tryLock(0) ? 0 : 1); // no unlock: as if killed
            }
            int status = -1;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QCOMPARE(status, 0);
        }
        QCOMPARE(files().size(), 4);
        {
            const auto next = program();
            QCOMPARE(next->claimIfAlone(), std::optional<int>(0));
            QCOMPARE(files().size(), 2); // its own lock and socket
        }
        QCOMPARE(files(), QStringList());
    }

    // Without a folder to keep them in, records cannot be told apart: each
    // start opens its record as if alone.
    void noFolderNoQuestion()
    {
        DesktopOpenRecords records(folder_.path() + QStringLiteral("/missing"), QStringLiteral("_0"));
        ScriptedMessageBox box;
        QCOMPARE(openRecordPlace(records, box), std::optional<int>(0));
        QVERIFY(box.shown.empty());
    }
};

QTEST_GUILESS_MAIN(OpenRecordsTest)
#include "tst_OpenRecords.moc"
