// The record list: the newest row in view whatever its width, and the
// record menu asked for from the keyboard and by touch.
#include <QScrollBar>
#include <QTapAndHoldGesture>
#include <QtTest>
#include <memory>
#include <optional>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EditBoxWidget.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/windows/FrmEdit.h"
#include "ui/windows/FrmMain.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

namespace {
// The selected row lies wholly inside the list's visible area.
bool selectedRowShows(const RecordListWidget& list)
{
    const int row = list.selectedIndex();
    return row >= 0 && list.viewport()->rect().contains(list.visualItemRect(list.item(row)));
}

QString inView(const RecordListWidget& list)
{
    const int row = list.selectedIndex();
    return QStringLiteral("row %1 of %2 at %3, viewport %4, scrolled to %5 of %6")
        .arg(row)
        .arg(list.count())
        .arg(row >= 0 ? list.visualItemRect(list.item(row)).top() : -1)
        .arg(list.viewport()->height())
        .arg(list.verticalScrollBar()->value())
        .arg(list.verticalScrollBar()->maximum());
}
} // namespace

class RecordListWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    // 除細動, エピネフリン and キシロカイン write rows wider than the list:
    // each press, and each undo that puts a row back, shows its row whole,
    // with or without the focus in the list and however long the record.
    void newestRowInViewWhateverItsWidth()
    {
        ScriptedMainWindow m;
        FrmMain& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        RecordListWidget* list = window.recordList();
        for (bool focused : {false, true}) {
            (focused ? static_cast<QWidget*>(list) : window.eventButton(0))->setFocus();
            for (int i = 0; i < 40; ++i) {
                EventButtonWidget* button = window.eventButton(std::array{2, 5, 9}[i % 3]);
                if (focused)
                    button->click(); // the focus stays in the list
                else
                    QTest::mouseClick(button, Qt::LeftButton);
                QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
            }
            QCOMPARE(list->hasFocus(), focused);
        }
        QCOMPARE(list->selectedIndex(), 79);
        QVERIFY(list->sizeHintForColumn(0) > list->viewport()->width()); // rows wider than the list
        // No horizontal scroll bar: the rows are clipped at the list's edge,
        // and the last row can be scrolled wholly into view.
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(list->textElideMode(), Qt::ElideNone);
        QCOMPARE(list->viewport()->height(), list->height() - 2 * list->frameWidth());
        list->scrollToTop();
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(79))));

        // Undo puts a row back where the list had been scrolled away from.
        list->select(60);
        window.editing().deleteRow();
        list->scrollToTop();
        window.editing().undoLastChange();
        QCOMPARE(list->selectedIndex(), 60);
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        list->select(3);
        window.editing().deleteRow();
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        window.editing().undoLastChange();
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        // A correction, and its undo, of a row scrolled out of view while it
        // stayed selected.
        window.setEditWindowRunner([](FrmEdit& e) { e.changeButton()->click(); });
        for (int row : {70, 2}) {
            list->select(row);
            for (int step = 0; step < 2; ++step) {
                if (row > 40)
                    list->scrollToTop();
                else
                    list->scrollToBottom();
                if (step == 0)
                    window.editing().editRow();
                else
                    window.editing().undoLastChange();
                QCOMPARE(list->selectedIndex(), row);
                QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
            }
        }

        // 10,000 rows.
        while (list->count() < 10000)
            list->addRow(list->rowText(list->count() % 80));
        for (int i : {2, 5, 9}) {
            QTest::mouseClick(window.eventButton(i), Qt::LeftButton);
            QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        }
        QCOMPARE(list->selectedIndex(), 10002);
    }

    // Without a right button: the Menu key and Shift+F10 in the focused list
    // open the same menu below the selected row (scrolled into view), a
    // finger held on the list opens it at the finger; its commands act on
    // the selected row. A mouse button held as long opens nothing.
    void menuOpensFromTheKeyboardAndByTouch()
    {
        ScriptedMainWindow m;
        FrmMain& window = m.window;
        QVERIFY(shownWithRows(window, 40));
        RecordListWidget* list = window.recordList();
        const QStringList recorded = ScriptedMainWindow::rowsOf(*list);
        std::optional<QPoint> shownAt;
        QRect selectedRow; // where the selected row was while the menu showed
        std::optional<MenuStates> shown;
        std::optional<Item> choice;
        window.popup()->setShower([&](PopupMenu& m, const QPoint& at) {
            shownAt = at;
            selectedRow = list->visualItemRect(list->item(list->selectedIndex()));
            shown = MenuStates::of(m);
            if (choice)
                m.action(*choice)->trigger();
        });
        window.setEditWindowRunner([](FrmEdit& e) {
            typeJapanese(e.editBox(), QStringLiteral("　修正"));
            e.changeButton()->click();
        });
        const auto rowAt = [&](int row) { return list->visualItemRect(list->item(row)); };

        list->setFocus();
        list->select(30);
        list->scrollToBottom();
        choice = Item::Edit;
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(shownAt);
        QVERIFY(shown->edit && shown->del && !shown->undo);
        QVERIFY(list->viewport()->rect().contains(selectedRow));
        QCOMPARE(list->viewport()->mapFromGlobal(*shownAt), selectedRow.bottomLeft() + QPoint(0, 1));
        QCOMPARE(list->rowText(30), recorded[30] + QStringLiteral("　修正"));
        QCOMPARE(list->selectedIndex(), 30);

        shownAt.reset();
        choice = Item::Undo;
        QTest::keyClick(list, Qt::Key_Menu);
        QVERIFY(shownAt);
        QVERIFY(shown->edit && shown->del && shown->undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), recorded);

        // F10 alone, or the Menu key elsewhere in the window: no menu.
        shownAt.reset();
        choice.reset();
        QTest::keyClick(list, Qt::Key_F10);
        QTest::keyClick(window.eventButton(0), Qt::Key_Menu);
        QVERIFY(!shownAt);

        // A touch-and-hold on a row: the touch selects the row, the hold
        // opens the menu at the finger. (The offscreen screen is smaller
        // than the window: a row near the list's top.)
        const int holdTime = QTapAndHoldGesture::timeout();
        auto restoreHoldTime = qScopeGuard([holdTime] { QTapAndHoldGesture::setTimeout(holdTime); });
        QTapAndHoldGesture::setTimeout(100);
        const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
        list->scrollToTop();
        const QPoint finger = rowAt(2).center();
        choice = Item::Delete;
        QTest::touchEvent(list->viewport(), touchScreen.get()).press(0, finger);
        QTRY_VERIFY(shownAt);
        QTest::touchEvent(list->viewport(), touchScreen.get()).release(0, finger);
        QCOMPARE(*shownAt, list->viewport()->mapToGlobal(finger));
        QVERIFY(shown->edit && shown->del && !shown->undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), recorded.mid(0, 2) + recorded.mid(3));

        shownAt.reset();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, finger);
        QTest::qWait(400);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, finger);
        QVERIFY(!shownAt);
    }
};

QTEST_MAIN(RecordListWidgetTest)
#include "tst_RecordListWidget.moc"
