// The bevel of the event and rhythm buttons: raised, and pressed in while
// held down.
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

class BevelButtonTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    // Buttons are drawn raised, and pressed in while held down.
    void buttonsPressIn()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QPushButton* button : std::initializer_list<QPushButton*>{window.eventButton(3), window.rhythmButton(4)}) {
            const QPoint corner = button->geometry().topLeft();
            QCOMPARE(shot(window).pixel(corner), 0xFFFFFFFFu);
            QTest::mousePress(button, Qt::LeftButton);
            QCOMPARE(shot(window).pixel(corner), 0xFF000000u);
            QCOMPARE(shot(window).pixel(corner + QPoint(1, 1)), 0xFF808080u);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(shot(window).pixel(corner), 0xFFFFFFFFu);
        }
        QCOMPARE(window.recordList()->count(), 2); // each press recorded once, and released
    }
};

QTEST_MAIN(BevelButtonTest)
#include "tst_BevelButton.moc"
