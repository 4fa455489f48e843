#include <QtTest>

#include "ScriptedMainWindow.h"
#include "output/RecordOutput.h"
#include "output/ReportText.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

// Closing the real main window runs the whole shut-down over the
// window's own record list.
class ShutDownTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void closingOffersTheOutputsAndEnds()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 12), QTime(14, 5, 30)));
        auto& [services, window] = m;
        QVERIFY(window.output());
        window.eventButton(0)->click();
        services.clock.advance(65);
        window.eventButton(1)->click();
        window.recordList()->select(0);
        services.messages.answer({Answer::No, Answer::Yes});

        window.close();

        QCOMPARE(services.programEnd.ended, 1);
        for (int t = 1; t <= 6; ++t)
            QVERIFY(!window.timer(t).isEnabled());
        QCOMPARE(services.messages.shown.size(), std::size_t(3));
        QCOMPARE(services.messages.shown[2].text, copiedNotice());
        QCOMPARE(services.printer.ends, 1);
        QCOMPARE(services.clipboard.text, clipboardReport({QStringLiteral(u"06/12 14:05:30\u3000病院到着"),
                                                           QStringLiteral(u"06/12 14:06:35\u3000ＣＰＲ開始")},
                                                          services.clock.now()));
        QCOMPARE(window.recordList()->selectedIndex(), 1);

        // A second close does not run the sequence again.
        window.close();
        QCOMPARE(services.programEnd.ended, 1);
        QCOMPARE(services.clipboard.texts.size(), std::size_t(1));
    }
};

QTEST_MAIN(ShutDownTest)
#include "tst_ShutDown.moc"
