#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>
#include <unistd.h>

#include "Scripted.h"
#include "desktop/DesktopClipboardKeeping.h"
#include "desktop/QtClipboard.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
// A report as the clipboard gets it: CR LF, full-width and half-width
// characters, a megabyte in all (more than a pipe holds at once).
QString bigReport()
{
    QString report = QStringLiteral(u"★★　救急外来心肺蘇生記録　★★\r\n");
    while (report.size() < 1024 * 1024 / 2)
        report += QStringLiteral(u"06/12 14:02:00\u3000ｱﾄﾞﾚﾅﾘﾝ1回目投与\r\n");
    return report;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Restores PATH when it goes.
struct PathSetter {
    QByteArray saved = qgetenv("PATH");
    explicit PathSetter(const QString& path) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathSetter() { qputenv("PATH", saved); }
    PathSetter(const PathSetter&) = delete;
    PathSetter& operator=(const PathSetter&) = delete;
};
} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    // An executable script NAME in the temporary folder.
    QString script(const QString& name, const QByteArray& body)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write("#!/bin/sh\n" + body);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

private slots:
    // The manager first, on what the program already serves; the keeper only
    // where the manager did not take the text over, also when the program
    // could not place it (the manager, which would save what another
    // program serves, is not asked then); lost where neither keeps text the
    // program placed, not copied where the program could not place it.
    void whatBecomesOfTheText_data()
    {
        QTest::addColumn<bool>("placed");
        QTest::addColumn<bool>("managerSaves");
        QTest::addColumn<bool>("keeperServes");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<AfterExit>("afterExit");
        const QString m = QStringLiteral("manager");
        const QString k = QStringLiteral("keeper");
        QTest::newRow("manager saves") << true << true << true << QStringList{m} << AfterExit::HandedOver;
        QTest::newRow("no manager, keeper") << true << false << true << QStringList{m, k} << AfterExit::Kept;
        QTest::newRow("neither") << true << false << false << QStringList{m, k} << AfterExit::Lost;
        // A keeper that took the clipboard and stopped answering.
        QTest::newRow("neither, taken") << true << false << false << QStringList{m, k} << AfterExit::NotCopied;
        QTest::newRow("not placed, keeper") << false << true << true << QStringList{k} << AfterExit::Kept;
        QTest::newRow("not placed, no keeper") << false << true << false << QStringList{k} << AfterExit::NotCopied;
    }
    void whatBecomesOfTheText()
    {
        QFETCH(bool, placed);
        QFETCH(bool, managerSaves);
        QFETCH(bool, keeperServes);
        QFETCH(QStringList, requests);
        QFETCH(AfterExit, afterExit);

        ScriptedClipboardKeeping keeping;
        keeping.managerSaves = managerSaves;
        keeping.keeperServes = keeperServes;
        const QString report = bigReport();
        const QByteArray utf8 = report.toUtf8();
        QStringList onClipboardWhenAsked;
        keeping.onRequest = [&] {
            onClipboardWhenAsked << QGuiApplication::clipboard()->text();
            if (keeping.requests.size() == 2 && QTest::currentDataTag() == QLatin1String("neither, taken"))
                QGuiApplication::clipboard()->setText(QStringLiteral("hung keeper's"));
        };
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        if (placed) {
            QtClipboard clipboard(keeping);
            QCOMPARE(clipboard.setText(report), afterExit);
            QCOMPARE(onClipboardWhenAsked, QStringList(requests.size(), report));
        } else {
            QCOMPARE(keepClipboardText([] { return false; }, utf8, keeping), afterExit);
        }
        QCOMPARE(keeping.requests, requests);
        QCOMPARE(keeping.handedOver, requests.contains(QStringLiteral("manager")) ? utf8 : QByteArray());
        QCOMPARE(keeping.kept, requests.contains(QStringLiteral("keeper")) ? utf8 : QByteArray());
    }

    // xclip on the program's X display, also under XWayland (the platform is
    // then "xcb" too); under native Wayland on the session's XWayland
    // display, and none without one; none on other platforms or without
    // xclip in PATH.
    void keeperForThePlatform()
    {
        const QString xclip = script(QStringLiteral("xclip"), "exit 0\n");
        const QStringList onSeven{QStringLiteral("-display"), QStringLiteral(":7"), QStringLiteral("-selection"),
                                  QStringLiteral("clipboard"), QStringLiteral("-in")};
        {
            PathSetter path(QStringLiteral("/nonexistent:") + dir_.path());
            for (const char* platform : {"xcb", "wayland", "wayland-egl"}) {
                const auto keeper = keeperFor(QLatin1String(platform), QStringLiteral(":7"));
                QVERIFY2(keeper, platform);
                QCOMPARE(keeper->program, xclip);
                QCOMPARE(keeper->arguments, onSeven);
            }
            QVERIFY(!keeperFor(QStringLiteral("wayland"), QString()));
            QVERIFY(!keeperFor(QStringLiteral("xcb"), QString()));
            QVERIFY(!keeperFor(QStringLiteral("offscreen"), QStringLiteral(":7")));
            QVERIFY(!keeperFor(QStringLiteral("minimal"), QStringLiteral(":7")));
        }
        PathSetter path(QStringLiteral("/nonexistent"));
        QVERIFY(!keeperFor(QStringLiteral("xcb"), QStringLiteral(":7")));
    }

    // The clipboard manager is asked on plain X11 only: not in a Wayland
    // session, where XWayland's manager is the compositor's, nor elsewhere.
    void managerOnPlainX11Only()
    {
        QVERIFY(asksClipboardManager(QStringLiteral("xcb"), QString()));
        QVERIFY(!asksClipboardManager(QStringLiteral("xcb"), QStringLiteral("wayland-0")));
        QVERIFY(!asksClipboardManager(QStringLiteral("wayland"), QStringLiteral("wayland-0")));
        QVERIFY(!asksClipboardManager(QStringLiteral("offscreen"), QString()));
    }

    // The text reaches the keeper whole through its standard input, and
    // nowhere else: not its arguments, not its environment. It runs in a
    // session of its own, in "/".
    void keeperTakesTheTextThroughAPipe()
    {
        const QString seen = dir_.filePath(QStringLiteral("seen"));
        QByteArray body = "cat >SEEN.in\n"
                          "echo \"$@\" >SEEN.args\n"
                          "env >SEEN.env\n"
                          "pwd >SEEN.cwd\n"
                          "cut -d' ' -f6 /proc/$$/stat >SEEN.sid\n";
        const QString keeper = script(QStringLiteral("keeper"), body.replace("SEEN", seen.toLocal8Bit()));
        const QByteArray text = bigReport().toUtf8();
        QVERIFY(runKeeper({keeper, {QStringLiteral("-in")}}, text));
        QCOMPARE(readAll(seen + QStringLiteral(".in")), text);
        QCOMPARE(readAll(seen + QStringLiteral(".args")), QByteArray("-in\n"));
        QVERIFY(!readAll(seen + QStringLiteral(".env")).contains("救急外来"));
        QCOMPARE(readAll(seen + QStringLiteral(".cwd")), QByteArray("/\n"));
        QVERIFY(readAll(seen + QStringLiteral(".sid")).trimmed().toLong() != long(getsid(0)));
    }

    // A keeper that fails, takes no text, never goes to the background or
    // does not exist does not keep the text.
    void keeperThatDoesNotServe()
    {
        const QByteArray text = bigReport().toUtf8();
        QVERIFY(!runKeeper({script(QStringLiteral("fails"), "cat >/dev/null\nexit 1\n"), {}}, text));
        QVERIFY(!runKeeper({script(QStringLiteral("deaf"), "exit 0\n"), {}}, text));
        QVERIFY(!runKeeper({dir_.filePath(QStringLiteral("missing")), {}}, text));

        QByteArray body = "echo $$ >PID\ncat >/dev/null\nexec sleep 30\n";
        const QString pidFile = dir_.filePath(QStringLiteral("hangs.pid"));
        const QString hangs = script(QStringLiteral("hangs"), body.replace("PID", pidFile.toLocal8Bit()));
        QElapsedTimer took;
        took.start();
        QTimer tick; // the event loop runs while the keeper is waited for
        QSignalSpy ticks(&tick, &QTimer::timeout);
        tick.start(50);
        QVERIFY(!runKeeper({hangs, {}}, text, 500));
        QVERIFY(took.elapsed() < 5000);
        QVERIFY(!ticks.isEmpty());
        const QByteArray pid = readAll(pidFile).trimmed();
        QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));
    }
};

QTEST_MAIN(ClipboardTest)
#include "tst_Clipboard.moc"
