// The window at the bedside: the display is kept awake from start-up until
// the shut-down has finished, and what the window shows is what assistive
// technology reads.
#include <QAccessible>
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/look/Accessibility.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
QAccessibleInterface* accessible(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}
} // namespace

class BedsideTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        installAccessibleRoles();
    }

    void displayKeptAwakeUntilTheEndOfCprHasFinished()
    {
        ScriptedPlatform services;
        QStringList events;
        services.display.onRelease = [&] { events << QStringLiteral("release"); };
        {
            MainWindow window(services.platform());
            window.setExitSequence([&] { events << QStringLiteral("exit sequence"); });
            QCOMPARE(services.display.keepAwakeCalls, 1);
            window.show();
            QTest::mouseClick(window.eventButton(0), Qt::LeftButton);
            services.messages.answer({Answer::No});
            QTest::mouseClick(window.eventButton(15), Qt::LeftButton); // CPR終了, No: the record goes on
            QCOMPARE(services.display.releases, 0);
            services.messages.answer({Answer::Yes});
            QTest::mouseClick(window.eventButton(15), Qt::LeftButton);
            QCOMPARE(services.programEnd.ended, 1);
            QCOMPARE(events, (QStringList{QStringLiteral("exit sequence"), QStringLiteral("release")}));
        }
        QCOMPARE(services.display.keepAwakeCalls, 1);
        QCOMPARE(services.display.releases, 1);
    }

    void displayReleasedHoweverTheWindowGoes()
    {
        ScriptedPlatform closed;
        {
            MainWindow window(closed.platform());
            window.show();
            window.close();
            QCOMPARE(closed.display.releases, 1);
        }
        QCOMPARE(closed.display.keepAwakeCalls, 1);
        QCOMPARE(closed.display.releases, 1);

        ScriptedPlatform destroyed; // never closed
        {
            MainWindow window(destroyed.platform());
        }
        QCOMPARE(destroyed.display.releases, 1);

        ScriptedPlatform none; // no keeper at all
        Platform platform = none.platform();
        platform.display = nullptr;
        MainWindow window(platform);
        window.close();
        QCOMPARE(none.programEnd.ended, 1);
    }

    void labelsReadAsTheyShow()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QTest::mouseClick(window.eventButton(1), Qt::LeftButton);
        QTest::mouseClick(window.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(window.rhythmButton(3), Qt::LeftButton); // PEA: the causes panel shows
        m.pass(75);
        const auto labels = window.findChildren<LabelWidget*>();
        QVERIFY(labels.size() > 30);
        for (LabelWidget* l : labels) {
            QAccessibleInterface* a = accessible(l);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name),
                     QString(l->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QCOMPARE(a->state().invisible, l->isHidden());
        }
        QCOMPARE(accessible(window.findLabel("Label4", 3))->text(QAccessible::Name),
                 QStringLiteral("エピネフリン1回目投与後"));
        QCOMPARE(accessible(window.findLabel("Label6", 1))->text(QAccessible::Name), QStringLiteral("1"));
        QCOMPARE(accessible(window.findLabel("Label6", 0))->text(QAccessible::Name), QStringLiteral("5"));
        QAccessibleInterface* causes = accessible(window.findLabel("Label2"));
        QVERIFY(!causes->state().invisible);
        QVERIFY(causes->text(QAccessible::Name).startsWith(QStringLiteral("・循環血液量減少\n・低酸素症\n")));
        QTest::mouseClick(window.rhythmButton(0), Qt::LeftButton); // VF hides it again
        QVERIFY(accessible(window.findLabel("Label2"))->state().invisible);
        QVERIFY(accessible(window.findShape("Shape2"))->state().invisible);
    }

    void buttonsAndPanelsReadTheirText()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QAccessibleInterface* accessibleWindow = accessible(&window);
        QCOMPARE(accessibleWindow->role(), QAccessible::Window);
        QCOMPARE(accessibleWindow->text(QAccessible::Name), QStringLiteral("Veltrasa２００５"));
        for (int i = 0; i < kEventButtonCount; ++i)
            QCOMPARE(accessible(window.eventButton(i))->text(QAccessible::Name), window.eventButton(i)->text());
        for (int i = 0; i < kRhythmButtonCount; ++i)
            QCOMPARE(accessible(window.rhythmButton(i))->text(QAccessible::Name), window.rhythmButton(i)->text());
        // The drawn lettering of the picture panels is readable too.
        QCOMPARE(layout::kPicturePanels.size(), std::size_t(16));
        for (const auto& entry : layout::kPicturePanels) {
            PicturePanelWidget* panel = window.picturePanel(entry.number);
            QVERIFY(!panel->lettering().isEmpty());
            QCOMPARE(accessible(panel)->text(QAccessible::Name), panel->lettering());
        }
    }

    void listReadsItsRowsAndTheSelectedOne()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QTest::mouseClick(window.eventButton(0), Qt::LeftButton);
        QTest::mouseClick(window.eventButton(2), Qt::LeftButton);
        QTest::mouseClick(window.eventButton(2), Qt::LeftButton);
        QAccessibleInterface* list = accessible(window.recordList());
        QCOMPARE(list->role(), QAccessible::List);
        QAccessibleTableInterface* table = list->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            QAccessibleInterface* cell = table->cellAt(row, 0);
            QVERIFY(cell);
            QCOMPARE(cell->text(QAccessible::Name), window.recordList()->rowText(row));
            QCOMPARE(cell->state().selected, row == 2);
        }
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("06/04 09:05:07　電気的除細動1回目施行"));
        window.recordList()->select(0);
        QVERIFY(table->cellAt(0, 0)->state().selected);
        QVERIFY(!table->cellAt(2, 0)->state().selected);
    }

private:
};

QTEST_MAIN(BedsideTest)
#include "tst_Bedside.moc"
