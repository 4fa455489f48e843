// The record list: the newest row in view whatever its width, the record
// menu asked for from the keyboard and by touch, and a selection that no
// click or key takes away.
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
#include "ui/windows/EditWindow.h"
#include "ui/windows/MainWindow.h"

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

// A record list of its own, `rows` rows long, shown.
void showList(RecordListWidget& list, int rows, const QString& tail = {})
{
    list.setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    list.setGeometry(0, 0, 300, 200);
    for (int i = 0; i < rows; ++i)
        list.addRow(QStringLiteral("06/04 09:%1:%2　ﾘｽﾞﾑﾁｪｯｸ：心室細動%3")
                        .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(i % 60, 2, 10, QLatin1Char('0'))
                        .arg(tail));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
}
} // namespace

class RecordListWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    // 除細動, エピネフリン and キシロカイン write rows wider than the list:
    // each press shows its row whole, with or without the focus in the
    // list and however long the record.
    void newestRowInViewWhateverItsWidth()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
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

        // 10,000 rows.
        while (list->count() < 10000)
            list->addRow(list->rowText(list->count() % 80));
        for (int i : {2, 5, 9}) {
            QTest::mouseClick(window.eventButton(i), Qt::LeftButton);
            QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        }
        QCOMPARE(list->selectedIndex(), 10002);
    }

    // Each undo that puts a row back, and each correction, shows its row
    // whole, wherever the list had been scrolled to.
    void undoAndCorrectionShowTheirRow()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 80));
        RecordListWidget* list = window.recordList();
        list->setFocus();

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
        window.setEditWindowRunner([](EditWindow& e) { e.changeButton()->click(); });
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
    }

    // Without a right button: the Menu key and Shift+F10 in the focused list
    // open the same menu below the selected row (scrolled into view); its
    // commands act on the selected row.
    void menuOpensFromTheKeyboard()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 40));
        RecordListWidget* list = window.recordList();
        const QStringList recorded = ScriptedMainWindow::rowsOf(*list);
        ScriptedMenu menu(window);
        window.setEditWindowRunner([](EditWindow& e) {
            typeJapanese(e.editBox(), QStringLiteral("　修正"));
            e.changeButton()->click();
        });

        list->setFocus();
        list->select(30);
        list->scrollToBottom();
        menu.choice = Item::Edit;
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu.shownAt);
        QVERIFY(menu.shown->edit && menu.shown->del && !menu.shown->undo);
        QVERIFY(list->viewport()->rect().contains(menu.selectedRow));
        QCOMPARE(list->viewport()->mapFromGlobal(*menu.shownAt), menu.selectedRow.bottomLeft() + QPoint(0, 1));
        QCOMPARE(list->rowText(30), recorded[30] + QStringLiteral("　修正"));
        QCOMPARE(list->selectedIndex(), 30);

        menu.shownAt.reset();
        menu.choice = Item::Undo;
        QTest::keyClick(list, Qt::Key_Menu);
        QVERIFY(menu.shownAt);
        QVERIFY(menu.shown->edit && menu.shown->del && menu.shown->undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), recorded);

        // F10 alone, or the Menu key elsewhere in the window: no menu.
        menu.shownAt.reset();
        menu.choice.reset();
        QTest::keyClick(list, Qt::Key_F10);
        QTest::keyClick(window.eventButton(0), Qt::Key_Menu);
        QVERIFY(!menu.shownAt);
    }

    // A finger held on a row opens the menu at the finger: the touch
    // selects the row, and the menu's commands act on it. A mouse button
    // held as long opens nothing.
    void menuOpensByTouchAndHold()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 40));
        RecordListWidget* list = window.recordList();
        const QStringList recorded = ScriptedMainWindow::rowsOf(*list);
        ScriptedMenu menu(window);
        const auto rowAt = [&](int row) { return list->visualItemRect(list->item(row)); };

        // (The offscreen screen is smaller than the window: a row near the
        // list's top.)
        const int holdTime = QTapAndHoldGesture::timeout();
        auto restoreHoldTime = qScopeGuard([holdTime] { QTapAndHoldGesture::setTimeout(holdTime); });
        QTapAndHoldGesture::setTimeout(100);
        const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
        list->scrollToTop();
        const QPoint finger = rowAt(2).center();
        menu.choice = Item::Delete;
        QTest::touchEvent(list->viewport(), touchScreen.get()).press(0, finger);
        QTRY_VERIFY(menu.shownAt);
        QTest::touchEvent(list->viewport(), touchScreen.get()).release(0, finger);
        QCOMPARE(*menu.shownAt, list->viewport()->mapToGlobal(finger));
        QVERIFY(menu.shown->edit && menu.shown->del && !menu.shown->undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), recorded.mid(0, 2) + recorded.mid(3));

        menu.shownAt.reset();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, finger);
        QTest::qWait(400);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, finger);
        QVERIFY(!menu.shownAt);
    }

    // Ctrl or Shift with a click, Ctrl+Space, and clicks below the rows
    // leave the selected row selected; a plain click selects another row.
    void modifiersLeaveTheSelectedRowSelected()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 4, {0, 1, 2, 3}));
        RecordListWidget* list = window.recordList();
        list->setFocus();
        for (int row : {3, 1}) {
            list->select(row);
            const QPoint at = list->visualItemRect(list->item(row)).center();
            for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::ShiftModifier}) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, modifier, at);
                QCOMPARE(list->selectedIndex(), row);
            }
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
            QCOMPARE(list->selectedIndex(), row);
            for (Qt::KeyboardModifiers modifiers :
                 {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, QPoint(10, 700));
                QCOMPARE(list->selectedIndex(), row);
            }
            QCOMPARE(list->selectedItems().size(), 1);
        }
        // A plain click still selects another row.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(list->selectedIndex(), 2);
    }

    // The list on its own, 300 pixels wide: rows narrower and wider than
    // the list, hundreds of them, a row put back at the top, each selected
    // row shown from its start.
    void newestRowInViewOfAListOfItsOwn()
    {
        for (const QString& tail : {QString(), QString(30, QChar(u'あ'))}) {
            RecordListWidget list(nullptr);
            showList(list, 0);
            list.addRow(QStringLiteral("短い行"));
            for (int i = 1; i < 500; ++i) {
                list.addRow(QStringLiteral("%1　行%2").arg(i).arg(tail));
                list.select(list.count() - 1);
                QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
            }
            QCOMPARE(list.indexAt(list.visualItemRect(list.item(499)).center()).row(), 499);
            QCOMPARE(list.horizontalScrollBar()->value(), 0);
            QVERIFY(!list.horizontalScrollBar()->isVisible());
            // Scrolled to without being selected: at the top edge.
            list.scrollToItem(list.item(3));
            QCOMPARE(list.visualItemRect(list.item(3)).top(), 0);
            QCOMPARE(list.selectedIndex(), 499);
            list.insertRow(0, QStringLiteral("0　行") + tail);
            list.select(0);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
            list.select(500);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
        }
    }

    // Keys move the selected row and keep it in view; nothing deselects it.
    void keysMoveTheSelectedRowAndNeverLoseIt()
    {
        RecordListWidget list(nullptr);
        showList(list, 300, QString(30, QChar(u'あ')));
        list.select(10);
        list.setFocus();
        int before = 10;
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            before = list.selectedIndex();
            QTest::keyClick(&list, key, modifiers);
            QCOMPARE(list.selectedItems().size(), 1);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
        };
        press(Qt::Key_Down);
        QCOMPARE(list.selectedIndex(), 11);
        press(Qt::Key_PageDown);
        const int page = list.selectedIndex() - before;
        QVERIFY2(page > 1 && page * list.visualItemRect(list.item(0)).height() <= list.viewport()->height(),
                 qPrintable(QString::number(page)));
        press(Qt::Key_PageDown);
        QCOMPARE(list.selectedIndex(), before + page);
        press(Qt::Key_PageUp);
        QCOMPARE(list.selectedIndex(), before - page);
        press(Qt::Key_End);
        QCOMPARE(list.selectedIndex(), 299);
        press(Qt::Key_PageDown);
        QCOMPARE(list.selectedIndex(), 299);
        press(Qt::Key_Home);
        QCOMPARE(list.selectedIndex(), 0);
        press(Qt::Key_Up);
        press(Qt::Key_PageUp);
        press(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(list.selectedIndex(), 0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list.visualItemRect(list.item(0)).center());
        QCOMPARE(list.selectedIndex(), 0);

        // A click below the rows of a short list.
        while (list.count() > 3)
            list.removeRow(list.count() - 1);
        list.select(1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, list.viewport()->height() - 3));
        QCOMPARE(list.selectedIndex(), 1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
        QCOMPARE(list.selectedIndex(), 2);
    }
};

QTEST_MAIN(RecordListWidgetTest)
#include "tst_RecordListWidget.moc"
