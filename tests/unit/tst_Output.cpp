#include <QtTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "Scripted.h"
#include "desktop/FileDialogSettingsGuard.h"
#include "output/RecordOutput.h"
#include "output/ReportText.h"
#include "record/ShutDown.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
const QString kSave = QString::fromUtf16(u"記録の内容をテキストファイルにして保存しますか？    ");
const QString kPrint = QString::fromUtf16(u"記録の印刷をしますか？");
const QString kCopied =
    QStringLiteral("クリップボードにコピーしました\r\n\r\nこのまま電子カルテ上に貼り付けることができます");
constexpr Answer Yes = Answer::Yes;
constexpr Answer No = Answer::No;

// The record output over scripted services and an in-memory list.
struct Bench {
    ScriptedPlatform p;
    MemoryRecordList list;
    RecordOutput output{{list, p.clock, p.messages, p.clipboard, p.saveDialog, p.printer}};

    Bench()
    {
        p.clock.set(QDateTime(QDate(2005, 6, 12), QTime(14, 5, 30)));
        list.rows = {QStringLiteral(u"06/12 14:01:02\u3000病院到着"), QStringLiteral(u"06/12 14:02:00\u3000ｱﾄﾞﾚﾅﾘﾝ")};
    }

    // Every message box shown, as "Q:" / "N:" / "W:" and its text.
    QStringList shown() const
    {
        QStringList out;
        for (const auto& m : p.messages.shown)
            out << QStringLiteral("QNW").mid(m.kind, 1) + QLatin1Char(':') + m.text;
        return out;
    }
};

QString q(const QString& text)
{
    return QStringLiteral("Q:") + text;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray fileBytes(const QStringList& rows, const QDateTime& when)
{
    return encodeCp932(textFileContent(rows, when));
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool makeFifo(const QString& path)
{
    return ::mkfifo(native(path).constData(), 0600) == 0;
}

bool makeLink(const QString& target, const QString& link)
{
    return ::symlink(native(target).constData(), native(link).constData()) == 0;
}

// A Unix socket bound at `path` (left behind when closed).
bool makeSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = native(path);
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

mode_t kindOf(const QString& path)
{
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}
} // namespace

class OutputTest : public QObject {
    Q_OBJECT
private slots:
    void clipboardCopy()
    {
        Bench b;
        b.list.selected = 0;
        b.output.copyRecordToClipboard();
        QCOMPARE(b.p.clipboard.texts.size(), std::size_t(1));
        QCOMPARE(b.p.clipboard.text, clipboardReport({b.list.rows[0], b.list.rows[1]}, b.p.clock.now()));
        QCOMPARE(b.shown(), QStringList{QStringLiteral("N:") + kCopied});
        QCOMPARE(b.list.selected, 1);

        Bench empty;
        empty.list.rows.clear();
        empty.output.copyRecordToClipboard();
        QCOMPARE(empty.list.selected, -1);
        QCOMPARE(empty.p.clipboard.text.split(QStringLiteral("\r\n")).size(), 7);
    }

    // Every combination of answers, the clipboard copy closing each run of
    // the sequence.
    void exitSequenceOrder_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("printerFails");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("printJobs");
        QTest::addColumn<int>("copies");

        QTest::newRow("no, no: copy only")
            << QList<Answer>{No, No} << false << QStringList{q(kSave), q(kPrint)} << 0 << 0 << 1;
        QTest::newRow("yes, cancel: no print question")
            << QList<Answer>{Yes} << false << QStringList{q(kSave)} << 1 << 0 << 1;
        QTest::newRow("no, yes: printed")
            << QList<Answer>{No, Yes} << false << QStringList{q(kSave), q(kPrint)} << 0 << 1 << 1;
        QTest::newRow("failing printer, then no, no")
            << QList<Answer>{No, Yes, No, No} << true << QStringList{q(kSave), q(kPrint), q(kSave), q(kPrint)} << 0 << 1
            << 2;
        QTest::newRow("failing printer twice")
            << QList<Answer>{No, Yes, No, Yes, No, No} << true
            << QStringList{q(kSave), q(kPrint), q(kSave), q(kPrint), q(kSave), q(kPrint)} << 0 << 2 << 3;
        QTest::newRow("failing printer, then save instead")
            << QList<Answer>{No, Yes, Yes} << true << QStringList{q(kSave), q(kPrint), q(kSave)} << 1 << 1 << 2;
    }
    void exitSequenceOrder()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, printerFails);
        QFETCH(QStringList, questions);
        QFETCH(int, dialogs);
        QFETCH(int, printJobs);
        QFETCH(int, copies);

        Bench b; // the save dialog, when shown, is cancelled
        for (Answer a : answers)
            b.p.messages.answer({a});
        b.p.printer.failBegin = printerFails;
        b.output.exitSequence();

        QStringList expected = questions;
        for (int i = 0; i < copies; ++i)
            expected << QStringLiteral("N:") + kCopied;
        QCOMPARE(b.shown(), expected);
        QCOMPARE(b.p.messages.unexpectedQuestions, 0);
        QCOMPARE(int(b.p.saveDialog.proposals.size()), dialogs);
        QCOMPARE(b.p.printer.begins, printJobs);
        QCOMPARE(b.p.printer.aborts, printerFails ? printJobs : 0);
        QCOMPARE(b.p.printer.ends, printerFails ? 0 : printJobs);
        QCOMPARE(int(b.p.clipboard.texts.size()), copies);
        QCOMPARE(b.list.selected, 1);
    }

    // Where the report will not outlive the program, or is not on the
    // clipboard at all, the notice says so, and the save question comes once
    // more: declined, the sequence ends; accepted, the record is saved.
    // Handed over or kept, the usual notice.
    void notKeptTellsAndOffersTheSaveOnceMore_data()
    {
        QTest::addColumn<AfterExit>("afterExit");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("saveTo");
        QTest::addColumn<QStringList>("shown");
        const QString copied = QStringLiteral("N:") + kCopied;
        const QString notKept = QStringLiteral("W:") + notKeptNotice();
        const QString notCopied = QStringLiteral("W:") + notCopiedNotice();

        QTest::newRow("handed over") << AfterExit::HandedOver << QList<Answer>{No, No} << false
                                     << QStringList{q(kSave), q(kPrint), copied};
        QTest::newRow("kept") << AfterExit::Kept << QList<Answer>{No, No} << false
                              << QStringList{q(kSave), q(kPrint), copied};
        QTest::newRow("lost, declined once more") << AfterExit::Lost << QList<Answer>{No, No, No} << false
                                                  << QStringList{q(kSave), q(kPrint), notKept, q(kSave)};
        QTest::newRow("lost, saved on the second chance") << AfterExit::Lost << QList<Answer>{No, No, Yes} << true
                                                          << QStringList{q(kSave), q(kPrint), notKept, q(kSave)};
        QTest::newRow("lost after saving, declined once more")
            << AfterExit::Lost << QList<Answer>{Yes, No} << true << QStringList{q(kSave), notKept, q(kSave)};
        QTest::newRow("not copied, declined once more") << AfterExit::NotCopied << QList<Answer>{No, No, No} << false
                                                        << QStringList{q(kSave), q(kPrint), notCopied, q(kSave)};
        QTest::newRow("not copied, saved on the second chance")
            << AfterExit::NotCopied << QList<Answer>{No, No, Yes} << true
            << QStringList{q(kSave), q(kPrint), notCopied, q(kSave)};
    }
    void notKeptTellsAndOffersTheSaveOnceMore()
    {
        QFETCH(AfterExit, afterExit);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, saveTo);
        QFETCH(QStringList, shown);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.txt"));
        Bench b;
        b.p.clipboard.afterExit = afterExit;
        for (Answer a : answers)
            b.p.messages.answer({a});
        if (saveTo)
            b.p.saveDialog.answer({path});
        b.output.exitSequence();

        QCOMPARE(b.shown(), shown);
        QCOMPARE(b.p.messages.unexpectedQuestions, 0);
        QCOMPARE(b.p.saveDialog.unexpected, 0);
        QCOMPARE(b.p.clipboard.texts.size(), std::size_t(1));
        QCOMPARE(QFile::exists(path), saveTo);
        if (saveTo)
            QCOMPARE(readAll(path), fileBytes({b.list.rows[0], b.list.rows[1]}, b.p.clock.now()));
    }

    void unloadStopsTimersFirstAndEndsLast()
    {
        ScriptedPlatform p;
        std::array<Timer*, kTimerCount> timers{};
        for (auto& t : timers)
            t = p.timers.createTimer().release();
        bool allStoppedWhenAsked = false;
        int endedWhenAsked = -1;
        Form_Unload({timers,
                     [&] {
                         allStoppedWhenAsked =
                             std::none_of(timers.begin(), timers.end(), [](Timer* t) { return t->isEnabled(); });
                         endedWhenAsked = p.programEnd.ended;
                         throw std::runtime_error("a failing step");
                     },
                     p.programEnd});
        QVERIFY(allStoppedWhenAsked);
        QCOMPARE(endedWhenAsked, 0);
        QCOMPARE(p.programEnd.ended, 1);
        for (Timer* t : timers)
            delete t;
    }

    void aFailingStepDoesNotStopTheCopy()
    {
        ScriptedMessageBox messages;
        messages.answer({Yes});
        int copies = 0;
        askAndExport({messages, [] { throw std::runtime_error("save failed"); }, [] {}, [&] { ++copies; }});
        QCOMPARE(copies, 1);
    }

    void saveWritesTheFileThenCopies()
    {
        QTemporaryDir dir;
        Bench b;
        b.p.messages.answer({Yes});
        const QString path = dir.filePath(QStringLiteral("20050612140530.txt"));
        b.p.saveDialog.answer({path});
        b.output.exitSequence();

        QCOMPARE(b.p.saveDialog.proposals, std::vector<QString>{QStringLiteral("20050612140530.txt")});
        QCOMPARE(b.p.saveDialog.filters, std::vector<QString>{QStringLiteral("テキストファイル(*.txt)")});
        QCOMPARE(readAll(path), fileBytes({b.list.rows[0], b.list.rows[1]}, b.p.clock.now()));
        QCOMPARE(b.shown(), (QStringList{q(kSave), QStringLiteral("N:") + kCopied}));
        QCOMPARE(b.p.printer.begins, 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("20050612140530.txt")});
    }

    void txtIsAppendedOnlyWhenMissing()
    {
        QTemporaryDir dir;
        Bench b;
        b.p.saveDialog.answer({dir.filePath(QStringLiteral("記録")), dir.filePath(QStringLiteral("a.txt")),
                               dir.filePath(QStringLiteral("b.TXT"))});
        b.output.saveRecordAsText();
        b.output.saveRecordAsText();
        b.output.saveRecordAsText();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.TXT.txt"), QStringLiteral("記録.txt")}));
        QVERIFY(b.p.messages.shown.empty());
    }

    void appendedNameIsNotReplacedWithoutAsking()
    {
        QTemporaryDir dir;
        const QString typed = dir.filePath(QStringLiteral("old"));
        const QString existing = typed + QStringLiteral(".txt");
        {
            QFile f(existing);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("older record");
        }

        // Declined: the dialog comes back with the typed name; cancelled there.
        Bench b;
        b.p.saveDialog.answer({typed, std::nullopt});
        b.p.messages.answer({No});
        b.output.saveRecordAsText();
        QCOMPARE(readAll(existing), QByteArray("older record"));
        QCOMPARE(b.shown(), QStringList{q(replaceQuestion(existing))});
        QCOMPARE(b.p.messages.shown[0].byDefault, No); // Return keeps the file
        QCOMPARE(b.p.saveDialog.proposals.size(), std::size_t(2));
        QCOMPARE(b.p.saveDialog.proposals[1], typed);

        // Accepted: replaced by the new record.
        Bench yes;
        yes.p.saveDialog.answer({typed});
        yes.p.messages.answer({Yes});
        yes.output.saveRecordAsText();
        QCOMPARE(readAll(existing), fileBytes({yes.list.rows[0], yes.list.rows[1]}, yes.p.clock.now()));
    }

    void failedSaveTellsAndRunsTheSequenceAgain()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gone/record.txt"));
        Bench b;
        b.p.messages.answer({Yes, No, No});
        b.p.saveDialog.answer({path});
        b.output.exitSequence();
        QCOMPARE(b.shown(), (QStringList{q(kSave), QStringLiteral("W:") + saveFailedNotice(path), q(kSave), q(kPrint),
                                         QStringLiteral("N:") + kCopied, QStringLiteral("N:") + kCopied}));
        QVERIFY(saveFailedNotice(path).contains(path));
        QVERIFY(!QFile::exists(path));
    }

    // The file is written only to a regular file, or where nothing is yet,
    // directly or through symbolic links; nothing else is ever opened.
    void saveTargetsAreRegularFilesOrNew()
    {
        QTemporaryDir dir;
        const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        QFile regular(at("regular.txt"));
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();
        QVERIFY(makeFifo(at("fifo")));
        QVERIFY(makeSocket(at("socket")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const std::pair<const char*, const char*> links[] = {
            {"regular.txt", "to-regular"}, {"to-regular", "to-link"}, {"fifo", "to-fifo"}, {"/dev/null", "to-null"},
            {"folder", "to-folder"},       {"missing", "dangling"},   {"loop", "loop"},    {"socket", "to-socket"}};
        for (const auto& [target, link] : links)
            QVERIFY(makeLink(QString::fromLatin1(target), at(link)));

        for (const char* name : {"new.txt", "regular.txt", "to-regular", "to-link"})
            QVERIFY2(isSaveTarget(at(name)), name);
        for (const char* name : {"fifo", "socket", "folder", "to-fifo", "to-null", "to-folder", "dangling", "loop",
                                 "to-socket", "folder/../fifo"})
            QVERIFY2(!isSaveTarget(at(name)), name);
        QVERIFY(!isSaveTarget(QStringLiteral("/dev/null")));
    }

    // A FIFO chosen as the file – by its name, by a name that becomes it
    // with ".txt", through a link – is refused without a question whether
    // to replace it: the notice, the questions again; it stays a FIFO and
    // the record is still copied. A link to a regular file is written
    // through, and stays a link.
    void specialFilesAreRefused()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(makeFifo(fifo));
        QVERIFY(makeLink(QStringLiteral("pipe.txt"), link));
        Bench b;
        b.p.messages.answer({Yes, Yes, Yes, No, No});
        b.p.saveDialog.answer({fifo, dir.filePath(QStringLiteral("pipe")), link});
        b.output.exitSequence();
        const QString warned = QStringLiteral("W:"), copied = QStringLiteral("N:") + kCopied;
        QCOMPARE(b.shown(), (QStringList{q(kSave), warned + saveFailedNotice(fifo), q(kSave),
                                         warned + saveFailedNotice(fifo), q(kSave), warned + saveFailedNotice(link),
                                         q(kSave), q(kPrint), copied, copied, copied, copied}));
        QCOMPARE(kindOf(fifo), mode_t(S_IFIFO));
        QCOMPARE(kindOf(link), mode_t(S_IFLNK));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("link.txt"), QStringLiteral("pipe.txt")}));
        QCOMPARE(b.p.clipboard.texts.size(), std::size_t(4));

        const QString record = dir.filePath(QStringLiteral("record"));
        const QString toRecord = dir.filePath(QStringLiteral("to-record.txt"));
        QFile older(record);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.close();
        QVERIFY(makeLink(QStringLiteral("record"), toRecord));
        Bench through;
        through.p.saveDialog.answer({toRecord});
        through.output.saveRecordAsText();
        QVERIFY(through.p.messages.shown.empty());
        QCOMPARE(kindOf(toRecord), mode_t(S_IFLNK));
        QCOMPARE(readAll(record), fileBytes({through.list.rows[0], through.list.rows[1]}, through.p.clock.now()));
    }

    // Qt's file dialog writes the folders it visited to the user's Qt
    // settings when it is destroyed. The guard around it leaves the file as
    // it was – absent if it was – and Qt reads the earlier settings again.
    void fileDialogSettingsAreLeftAsTheyWere()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString path = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
        QVERIFY(path.contains(QStringLiteral("/.qttest/")));
        auto cleanUp = qScopeGuard([&] { QFile::remove(path); });
        const auto dialogWrites = [](const QString& folder) {
            QSettings s(QSettings::UserScope, QStringLiteral("QtProject"));
            s.setValue(QStringLiteral("FileDialog/history"), QStringList{folder});
            s.setValue(QStringLiteral("FileDialog/lastVisited"), folder);
        };
        const QString patient = QStringLiteral("file:///records/patient-4711");

        QFile::remove(path);
        {
            const FileDialogSettingsGuard guard;
            dialogWrites(patient);
            QVERIFY(QFile::exists(path));
        }
        QVERIFY(!QFile::exists(path));

        {
            QSettings earlier(QSettings::UserScope, QStringLiteral("QtProject"));
            earlier.setValue(QStringLiteral("FileDialog/history"), QStringList{QStringLiteral("file:///home/earlier")});
            earlier.setValue(QStringLiteral("FileDialog/viewMode"), QStringLiteral("Detail"));
            earlier.setValue(QStringLiteral("Qt/customColors"), QStringList{QStringLiteral("#ff0000")});
        }
        const QByteArray before = readAll(path);
        {
            const FileDialogSettingsGuard guard;
            dialogWrites(patient);
            QVERIFY(readAll(path).contains("patient-4711"));
        }
        QCOMPARE(readAll(path), before);
        const QSettings again(QSettings::UserScope, QStringLiteral("QtProject"));
        QCOMPARE(again.value(QStringLiteral("FileDialog/history")).toStringList(),
                 QStringList{QStringLiteral("file:///home/earlier")});
        QVERIFY(!again.contains(QStringLiteral("FileDialog/lastVisited")));

        // Another program sharing the file while the dialog is open: its
        // change, and the file it made where there was none, stay.
        for (const auto& [before, after] : {std::pair{QByteArray("#ff0000"), QByteArray("#00ff00, #0000ff")},
                                            std::pair{QByteArray(), QByteArray("[Other]\nkey=1\n")}}) {
            if (before.isEmpty())
                QFile::remove(path);
            {
                const FileDialogSettingsGuard guard;
                const QByteArray bytes = before.isEmpty() ? after : readAll(path).replace(before, after);
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
                dialogWrites(patient);
            }
            QVERIFY2(readAll(path).contains(after) && !readAll(path).contains("patient-4711"), after.constData());
        }
    }

    // A disk that fills up part way: the older file under the chosen name
    // stays whole, and nothing else is left behind.
    void failedSaveKeepsTheOlderFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("20050612140530.txt"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("older record\r\n");
        }
        Bench b;
        for (int i = 0; i < 200; ++i)
            b.list.rows.push_back(QStringLiteral(u"06/12 14:05:30\u3000エピネフリン%1回目投与").arg(i + 1));
        b.p.messages.answer({Yes, No, No});
        b.p.saveDialog.answer({path});

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        b.output.exitSequence();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(readAll(path), QByteArray("older record\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("20050612140530.txt")});
        QCOMPARE(b.p.messages.shown.at(1).kind, ShownMessage::Warning);
        QCOMPARE(b.p.clipboard.texts.size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(OutputTest)
#include "tst_Output.moc"
