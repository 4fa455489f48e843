// The two measurement hooks bench/run.sh relies on: the first-paint report
// and the counter dump on a signal.
#include <QtTest>
#include <csignal>
#include <cstdio>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/measurement/FirstPaintReport.h"
#include "ui/measurement/MeasurementHooks.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
QString contents(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray bytes;
    char buffer[256];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, static_cast<qsizetype>(n));
    return QString::fromUtf8(bytes);
}

} // namespace

class BenchHooksTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void firstPaintIsReportedOnce()
    {
        std::FILE* out = std::tmpfile();
        QVERIFY(out);
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        reportFirstExpose(window, out);
        QVERIFY(contents(out).isEmpty()); // nothing before the window is shown
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!contents(out).isEmpty());
        window.repaint();
        QTest::qWait(20);
        const QStringList lines = contents(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].startsWith(QLatin1String("exposed ")));
        const qint64 micros = lines[0].mid(8).toLongLong();
        QVERIFY(micros / 1000 >= before && micros / 1000 <= QDateTime::currentMSecsSinceEpoch());
        std::fclose(out);
    }

    void dumpShowsEachCountersSeconds()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QCOMPARE(counterDumpLine(window),
                 QStringLiteral("counters arrival=0 cpr=0 epinephrine=0 atropine=0 antiarrhythmic=0"));
        const auto press = [&](int button) {
            window.eventButton(button)->setHeldDown(true);
            window.eventButtons().onEventPressed(button);
        };
        press(0); // arrival: 1:02:05 at the end, shown as hours:minutes only
        m.pass(124);
        press(5); // epinephrine: past the minutes:seconds display's wrap
        m.pass(3536);
        press(1); // CPR
        m.pass(64);
        press(7); // antiarrhythmic
        m.pass(1);
        QCOMPARE(counterDumpLine(window),
                 QStringLiteral("counters arrival=3725 cpr=65 epinephrine=3601 atropine=0 antiarrhythmic=1"));
    }

    void signalWritesTheDumpFromTheEventLoop()
    {
        std::FILE* out = std::tmpfile();
        QVERIFY(out);
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.eventButton(1)->setHeldDown(true);
        window.eventButtons().onEventPressed(1);
        m.pass(7);
        dumpCountersOnSignal(window, SIGUSR2, out);
        std::raise(SIGUSR2);
        QTRY_COMPARE(contents(out),
                     QStringLiteral("counters arrival=0 cpr=7 epinephrine=0 atropine=0 antiarrhythmic=0\n"));
        m.pass(1);
        std::raise(SIGUSR2);
        QTRY_VERIFY(contents(out).endsWith(QLatin1String("cpr=8 epinephrine=0 atropine=0 antiarrhythmic=0\n")));
        std::signal(SIGUSR2, SIG_DFL);
        std::fclose(out);
    }
};

QTEST_MAIN(BenchHooksTest)
#include "tst_BenchHooks.moc"
