// The command line before the application object: Qt's own options go on to
// it, --help and --version answer, anything unknown or short of its value
// ends the start with status 2 and one line naming it.
#include <QtTest>

#include "platform/CommandLine.h"

using namespace veltrasa;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status"); // -1: the record starts
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QStringList{} << -1 << QString() << QString();
        QTest::newRow("Qt's options") << QStringList{"-platform",     "xcb",       "-display",         ":9",
                                                     "-style=Fusion", "--reverse", "-qwindowgeometry", "800x600",
                                                     "-stylesheet",   "a.qss"}
                                      << -1 << QString() << QString();
        QTest::newRow("help") << QStringList{"-h"} << 0 << "--version" << QString();
        QTest::newRow("version") << QStringList{"-v"} << 0 << "Veltrasa2005 " << QString();
        QTest::newRow("unknown") << QStringList{"-bogus", "-style", "Fusion"} << 2 << QString()
                                 << "veltrasa: Unknown option 'bogus'.\n";
        QTest::newRow("no value") << QStringList{"-platform"} << 2 << QString()
                                  << "veltrasa: Missing value after '-platform'.\n";
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, error);
        const CommandLineAnswer answer = readCommandLine(QStringList{"/usr/bin/veltrasa"} + arguments);
        QCOMPARE(answer.exitStatus.value_or(-1), status);
        QVERIFY2(output.isEmpty() ? answer.output.isEmpty() : answer.output.contains(output),
                 qPrintable(answer.output));
        QCOMPARE(answer.error, error);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_CommandLine.moc"
