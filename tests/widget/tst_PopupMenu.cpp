// The record list's popup menu: its items and their states, chosen with
// the left button and the keys only.
#include <QMenuBar>
#include <QtTest>
#include <functional>
#include <optional>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/windows/FrmEdit.h"
#include "ui/windows/FrmMain.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

class PopupMenuTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void popupOffersItemsByState()
    {
        ScriptedMainWindow m;
        FrmMain& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChildren<QMenuBar*>().isEmpty());
        PopupMenu* popup = window.popup();
        QCOMPARE(popup->title(), QStringLiteral("popup"));
        const auto actions = popup->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions[0]->text(), QStringLiteral("修正"));
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[1]->objectName(), QStringLiteral("menuBar"));
        QCOMPARE(actions[2]->text(), QStringLiteral("削除"));
        QCOMPARE(actions[3]->text(), QStringLiteral("元に戻す"));
        for (QAction* a : actions)
            QVERIFY(!a->isCheckable() && a->shortcut().isEmpty());

        std::optional<MenuStates> shown;
        std::optional<Item> choice;
        popup->setShower([&](PopupMenu& m, const QPoint&) {
            shown = MenuStates::of(m);
            if (choice)
                m.action(*choice)->trigger();
        });
        auto rightClick = [&](int row, std::optional<Item> item = std::nullopt) {
            shown.reset();
            choice = item;
            rightPressOnRow(window, row);
            QVERIFY(shown);
        };

        rightClick(0);
        QVERIFY(!shown->edit && !shown->del && !shown->undo);
        // A left press does not open the menu.
        shown.reset();
        QTest::mouseClick(window.recordList()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!shown);

        for (int i = 0; i < 4; ++i)
            window.eventButton(i)->click();
        QCOMPARE(window.recordList()->selectedIndex(), 3);
        // The press on another row neither selects it nor moves the command
        // off the row selected before.
        rightClick(1, Item::Delete);
        QVERIFY(shown->edit && shown->del && !shown->undo);
        const QStringList three = ScriptedMainWindow::rowsOf(*window.recordList());
        QCOMPARE(three.size(), 3);
        QCOMPARE(window.recordList()->selectedIndex(), 2);
        rightClick(0);
        QVERIFY(shown->edit && shown->del && shown->undo);
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
        QVERIFY(!shown->edit && !shown->del && shown->undo);
        rightClick(0, Item::Undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*window.recordList()), QStringList{three[0]});
        QCOMPARE(window.recordList()->selectedIndex(), 0);
        rightClick(0, Item::Undo); // the second undo is not offered
        QVERIFY(shown->edit && shown->del && !shown->undo);
        QCOMPARE(window.recordList()->count(), 1);
    }

    // A hurried mouse changes nothing: the right button chooses no item of
    // the real menu (a right click on 修正, the opening right press dragged
    // onto 削除 and released there), the menu stays open for the left button
    // and the keys; Ctrl or Shift with a click, and Ctrl+Space, leave the
    // selected row selected.
    void hurriedMouseChangesNothing()
    {
        ScriptedMainWindow m;
        FrmMain& window = m.window;
        QVERIFY(shownWithRows(window, 4, {0, 1, 2, 3}));
        RecordListWidget* list = window.recordList();
        const QStringList four = ScriptedMainWindow::rowsOf(*list);
        int editWindows = 0;
        window.setEditWindowRunner([&](FrmEdit& e) {
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
        const auto centre = [](PopupMenu& m, QAction* a) { return m.actionGeometry(a).center(); };
        whileOpen([&](PopupMenu& m) {
            QTest::mouseClick(&m, Qt::RightButton, {}, centre(m, m.editItem()));
            QTest::mouseClick(&m, Qt::MiddleButton, {}, centre(m, m.deleteItem()));
        });
        whileOpen([&](PopupMenu& m) {
            // The right button is still held from the press on the list.
            QTest::mouseMove(&m, centre(m, m.editItem()));
            QTest::mouseMove(&m, centre(m, m.deleteItem()));
            QCOMPARE(m.activeAction(), m.deleteItem());
            QTest::mouseRelease(&m, Qt::RightButton, {}, centre(m, m.deleteItem()));
        });
        QCOMPARE(editWindows, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four);
        QCOMPARE(list->selectedIndex(), 3);

        // The keys and the left button choose as before.
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
            QTest::mouseClick(menu, Qt::LeftButton, {}, centre(*menu, menu->undoItem()));
        });
        rightPressOnRow(window, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four);
        QCOMPARE(list->selectedIndex(), 3);

        // Modifiers on the selected row, and clicks below the rows.
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
};

QTEST_MAIN(PopupMenuTest)
#include "tst_PopupMenu.moc"
