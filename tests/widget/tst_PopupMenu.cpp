// The record list's popup menu: its items and their states, chosen with
// the left button and the keys only. (The list's own handling of presses,
// keys and touch is in tst_RecordListWidget.)
#include <QMenuBar>
#include <QtTest>
#include <functional>
#include <optional>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/windows/EditWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

namespace {
QPoint centreOf(PopupMenu& menu, QAction* item)
{
    return menu.actionGeometry(item).center();
}
} // namespace

class PopupMenuTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    // 修正, a separator, 削除, 元に戻す and 振り返り, without check marks or
    // shortcuts, in the main window, which has no menu bar.
    void itemsAsLaidOut()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChildren<QMenuBar*>().isEmpty());
        PopupMenu* popup = window.popup();
        QCOMPARE(popup->title(), QStringLiteral("popup"));
        const auto actions = popup->actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions[0]->text(), QStringLiteral("修正"));
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[1]->objectName(), QStringLiteral("menuBar"));
        QCOMPARE(actions[2]->text(), QStringLiteral("削除"));
        QCOMPARE(actions[3]->text(), QStringLiteral("元に戻す"));
        QCOMPARE(actions[4]->text(), QStringLiteral("振り返り"));
        for (QAction* a : actions)
            QVERIFY(!a->isCheckable() && a->shortcut().isEmpty());
    }

    // A right press on the list opens the menu, its items enabled by the
    // record's state; it acts on the row selected before the press.
    void itemsOfferedByState()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScriptedMenu menu(window);
        auto rightClick = [&](int row, std::optional<Item> item = std::nullopt) {
            menu.shown.reset();
            menu.choice = item;
            rightPressOnRow(window, row);
            QVERIFY(menu.shown);
        };

        rightClick(0);
        QVERIFY(!menu.shown->edit && !menu.shown->del && !menu.shown->undo);
        // A left press does not open the menu.
        menu.shown.reset();
        QTest::mouseClick(window.recordList()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!menu.shown);

        for (int i = 0; i < 4; ++i)
            window.eventButton(i)->click();
        QCOMPARE(window.recordList()->selectedIndex(), 3);
        // The press on another row neither selects it nor moves the command
        // off the row selected before.
        rightClick(1, Item::Delete);
        QVERIFY(menu.shown->edit && menu.shown->del && !menu.shown->undo);
        const QStringList three = ScriptedMainWindow::rowsOf(*window.recordList());
        QCOMPARE(three.size(), 3);
        QCOMPARE(window.recordList()->selectedIndex(), 2);
        rightClick(0);
        QVERIFY(menu.shown->edit && menu.shown->del && menu.shown->undo);
        QCOMPARE(window.recordList()->selectedIndex(), 2);
        QVERIFY(window.recordList()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.recordList()));

        // Delete everything; undo is still offered in the empty list.
        rightClick(0, Item::Delete);
        rightClick(0, Item::Delete);
        rightClick(0, Item::Delete);
        QCOMPARE(window.recordList()->count(), 0);
        QCOMPARE(window.recordList()->selectedIndex(), -1);
        rightClick(0, Item::Edit); // disabled: nothing happens
        QVERIFY(!menu.shown->edit && !menu.shown->del && menu.shown->undo);
        rightClick(0, Item::Undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*window.recordList()), QStringList{three[0]});
        QCOMPARE(window.recordList()->selectedIndex(), 0);
        rightClick(0, Item::Undo); // the second undo is not offered
        QVERIFY(menu.shown->edit && menu.shown->del && !menu.shown->undo);
        QCOMPARE(window.recordList()->count(), 1);
    }

    // A hurried mouse changes nothing: the right button chooses no item of
    // the real menu (a right click on 修正, the opening right press dragged
    // onto 削除 and released there); the menu stays open for the left button
    // and the keys.
    void rightButtonChoosesNothing()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 4, {0, 1, 2, 3}));
        RecordListWidget* list = window.recordList();
        const QStringList four = ScriptedMainWindow::rowsOf(*list);
        int editWindows = 0;
        window.setEditWindowRunner([&](EditWindow& e) {
            ++editWindows;
            e.reject();
        });

        // Inside the menu's own loop: `during` runs, then the menu must still
        // be open, and Escape closes it.
        const auto whileOpen = [&](const std::function<void(PopupMenu&)>& during) {
            bool ran = false;
            QTimer::singleShot(0, this, [&] {
                auto* menu = qobject_cast<PopupMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu);
                auto closeOnFailure = qScopeGuard([menu] { menu->close(); });
                during(*menu);
                QCOMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
                QVERIFY(menu->isVisible());
                closeOnFailure.dismiss();
                QTest::keyClick(menu, Qt::Key_Escape);
                ran = true;
            });
            rightPressOnRow(window, 1);
            QVERIFY(ran);
            QVERIFY(!QApplication::activePopupWidget());
        };
        whileOpen([&](PopupMenu& m) {
            QTest::mouseClick(&m, Qt::RightButton, {}, centreOf(m, m.editItem()));
            QTest::mouseClick(&m, Qt::MiddleButton, {}, centreOf(m, m.deleteItem()));
        });
        whileOpen([&](PopupMenu& m) {
            // The right button is still held from the press on the list.
            QTest::mouseMove(&m, centreOf(m, m.editItem()));
            QTest::mouseMove(&m, centreOf(m, m.deleteItem()));
            QCOMPARE(m.activeAction(), m.deleteItem());
            QTest::mouseRelease(&m, Qt::RightButton, {}, centreOf(m, m.deleteItem()));
        });
        QCOMPARE(editWindows, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four);
        QCOMPARE(list->selectedIndex(), 3);
    }

    // The keys and the left button choose in the real menu.
    void keysAndLeftButtonChoose()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownWithRows(window, 4, {0, 1, 2, 3}));
        RecordListWidget* list = window.recordList();
        const QStringList four = ScriptedMainWindow::rowsOf(*list);
        QTimer::singleShot(0, this, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            QVERIFY(menu);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return); // 削除
        });
        rightPressOnRow(window, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four.mid(0, 3));
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<PopupMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QTest::mouseClick(menu, Qt::LeftButton, {}, centreOf(*menu, menu->undoItem()));
        });
        rightPressOnRow(window, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four);
        QCOMPARE(list->selectedIndex(), 3);
    }
};

QTEST_MAIN(PopupMenuTest)
#include "tst_PopupMenu.moc"
