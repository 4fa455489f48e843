// Qt's own options go on to the application object, --help answers, anything
// unknown or short of its value ends with status 2 and one line naming it.
#include <QtTest>

#include "platform/CommandLine.h"

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status"); // -1: the record starts
        QTest::addColumn<QString>("said");
        QTest::newRow("Qt's options") << QStringList{"-platform",     "xcb",      "--display",        ":9",
                                                     "-style=Fusion", "-reverse", "-qwindowgeometry", "800x600",
                                                     "-stylesheet",   "a.qss"}
                                      << -1 << QString();
        QTest::newRow("help") << QStringList{"-h"} << 0 << "-v, --version";
        QTest::newRow("unknown") << QStringList{"-style", "Fusion", "-bogus"} << 2
                                 << "veltrasa: Unknown option 'bogus'.\n";
        QTest::newRow("no value") << QStringList{"-platform"} << 2 << "veltrasa: Missing value after '-platform'.\n";
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        const auto answer = veltrasa::readCommandLine(QStringList{"/usr/bin/veltrasa"} + arguments);
        QCOMPARE(answer.exitStatus.value_or(-1), status);
        QCOMPARE(answer.error.isEmpty(), status != 2);
        const QString text = answer.output + answer.error;
        QVERIFY2(status == 0 ? text.contains(said) : text == said, qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_CommandLine.moc"
