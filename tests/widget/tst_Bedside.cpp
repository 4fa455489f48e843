// The window at the bedside: the display is kept awake from start-up until
// the shut-down has finished, and what the window shows is what assistive
// technology reads.
#include <QAccessible>
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/layout/FrmMainLayout.h"
#include "ui/look/Accessibility.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/FrmMain.h"

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
        ScriptedPlatform p;
        QStringList events;
        p.display.onRelease = [&] { events << QStringLiteral("release"); };
        {
            FrmMain w(p.platform());
            w.setExitSequence([&] { events << QStringLiteral("exit sequence"); });
            QCOMPARE(p.display.keepAwakeCalls, 1);
            w.show();
            QTest::mouseClick(w.eventButton(0), Qt::LeftButton);
            p.messages.answer({Answer::No});
            QTest::mouseClick(w.eventButton(15), Qt::LeftButton); // CPR終了, No: the record goes on
            QCOMPARE(p.display.releases, 0);
            p.messages.answer({Answer::Yes});
            QTest::mouseClick(w.eventButton(15), Qt::LeftButton);
            QCOMPARE(p.programEnd.ended, 1);
            QCOMPARE(events, (QStringList{QStringLiteral("exit sequence"), QStringLiteral("release")}));
        }
        QCOMPARE(p.display.keepAwakeCalls, 1);
        QCOMPARE(p.display.releases, 1);
    }

    void displayReleasedHoweverTheWindowGoes()
    {
        ScriptedPlatform closed;
        {
            FrmMain w(closed.platform());
            w.show();
            w.close();
            QCOMPARE(closed.display.releases, 1);
        }
        QCOMPARE(closed.display.keepAwakeCalls, 1);
        QCOMPARE(closed.display.releases, 1);

        ScriptedPlatform destroyed; // never closed
        {
            FrmMain w(destroyed.platform());
        }
        QCOMPARE(destroyed.display.releases, 1);

        ScriptedPlatform none; // no keeper at all
        Platform platform = none.platform();
        platform.display = nullptr;
        FrmMain w(platform);
        w.close();
        QCOMPARE(none.programEnd.ended, 1);
    }

    void labelsReadAsTheyShow()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QTest::mouseClick(w.eventButton(1), Qt::LeftButton);
        QTest::mouseClick(w.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(w.rhythmButton(3), Qt::LeftButton); // PEA: the causes panel shows
        m.pass(75);
        const auto labels = w.findChildren<LabelWidget*>();
        QVERIFY(labels.size() > 30);
        for (LabelWidget* l : labels) {
            QAccessibleInterface* a = accessible(l);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name),
                     QString(l->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QCOMPARE(a->state().invisible, l->isHidden());
        }
        QCOMPARE(accessible(w.findLabel("Label4", 3))->text(QAccessible::Name),
                 QStringLiteral("エピネフリン1回目投与後"));
        QCOMPARE(accessible(w.findLabel("Label6", 1))->text(QAccessible::Name), QStringLiteral("1"));
        QCOMPARE(accessible(w.findLabel("Label6", 0))->text(QAccessible::Name), QStringLiteral("5"));
        QAccessibleInterface* causes = accessible(w.findLabel("Label2"));
        QVERIFY(!causes->state().invisible);
        QVERIFY(causes->text(QAccessible::Name).startsWith(QStringLiteral("・循環血液量減少\n・低酸素症\n")));
        QTest::mouseClick(w.rhythmButton(0), Qt::LeftButton); // VF hides it again
        QVERIFY(accessible(w.findLabel("Label2"))->state().invisible);
        QVERIFY(accessible(w.findShape("Shape2"))->state().invisible);
    }

    void buttonsAndPanelsReadTheirText()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QAccessibleInterface* window = accessible(&w);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Veltrasa２００５"));
        for (int i = 0; i < kEventButtonCount; ++i)
            QCOMPARE(accessible(w.eventButton(i))->text(QAccessible::Name), w.eventButton(i)->text());
        for (int i = 0; i < kRhythmButtonCount; ++i)
            QCOMPARE(accessible(w.rhythmButton(i))->text(QAccessible::Name), w.rhythmButton(i)->text());
        // The drawn lettering of the picture panels is readable too.
        QCOMPARE(layout::kPicturePanels.size(), std::size_t(16));
        for (const auto& entry : layout::kPicturePanels) {
            PicturePanelWidget* panel = w.picturePanel(entry.number);
            QVERIFY(!panel->lettering().isEmpty());
            QCOMPARE(accessible(panel)->text(QAccessible::Name), panel->lettering());
        }
    }

    void listReadsItsRowsAndTheSelectedOne()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QTest::mouseClick(w.eventButton(0), Qt::LeftButton);
        QTest::mouseClick(w.eventButton(2), Qt::LeftButton);
        QTest::mouseClick(w.eventButton(2), Qt::LeftButton);
        QAccessibleInterface* list = accessible(w.recordList());
        QCOMPARE(list->role(), QAccessible::List);
        QAccessibleTableInterface* table = list->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            QAccessibleInterface* cell = table->cellAt(row, 0);
            QVERIFY(cell);
            QCOMPARE(cell->text(QAccessible::Name), w.recordList()->rowText(row));
            QCOMPARE(cell->state().selected, row == 2);
        }
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("06/04 09:05:07　電気的除細動1回目施行"));
        w.recordList()->select(0);
        QVERIFY(table->cellAt(0, 0)->state().selected);
        QVERIFY(!table->cellAt(2, 0)->state().selected);
    }

private:
};

QTEST_MAIN(BedsideTest)
#include "tst_Bedside.moc"
