#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QTapAndHoldGesture>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/FrmEdit.h"
#include "ui/windows/FrmMain.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

namespace {

QRgb pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

// A list with rows "row 0" … and row `selected` selected.
// A list of n rows "row 0", "row 1", … with row `selected` selected.
MemoryRecordList listOf(int n, int selected)
{
    MemoryRecordList list;
    for (int i = 0; i < n; ++i)
        list.addRow(QStringLiteral("row %1").arg(i));
    list.select(selected);
    return list;
}

// Shows a window and waits until it is active.
bool shownActive(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

// A right-button press on row `row` of the list (which it must not select).
void rightPressOnRow(FrmMain& w, int row)
{
    RecordListWidget* list = w.recordList();
    const QPoint at = row < list->count() ? list->visualItemRect(list->item(row)).center() : QPoint(10, 10);
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
}

// Text as an input method delivers it (QTest's key clicks take Latin-1 only).
void typeJapanese(QWidget* w, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(w, &event);
}

// Shows the window, waits until it is active, then presses `presses`
// event buttons, taking `buttons` in turn. 除細動, エピネフリン and
// キシロカイン write rows wider than the list.
bool shownWithRows(FrmMain& w, int presses, const std::vector<int>& buttons = {2, 5, 9})
{
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return false;
    for (int i = 0; i < presses; ++i)
        w.eventButton(buttons[static_cast<std::size_t>(i) % buttons.size()])->click();
    return true;
}
} // namespace

class FrmEditTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void laidOutAsDescribed()
    {
        MemoryRecordList list = listOf(1, 0);
        FrmEdit e(list, nullptr);
        QCOMPARE(e.objectName(), QStringLiteral("frmEdit"));
        QCOMPARE(e.windowTitle(), QStringLiteral("編集"));
        QCOMPARE(e.size(), QSize(624, 89));
        QCOMPARE(e.minimumSize(), e.maximumSize());
        QVERIFY(!(e.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(e.isModal());
        QCOMPARE(e.editBox()->geometry(), QRect(8, 10, 603, 31));
        QCOMPARE(e.cancelButton()->geometry(), QRect(172, 52, 73, 31));
        QCOMPARE(e.changeButton()->geometry(), QRect(356, 52, 73, 31));
        QCOMPARE(e.buttonBackdrop(0)->geometry(), QRect(170, 50, 79, 37));
        QCOMPARE(e.buttonBackdrop(1)->geometry(), QRect(354, 50, 79, 37));
        QCOMPARE(e.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(e.changeButton()->text(), QStringLiteral("変更"));
        QCOMPARE(e.editBox()->font().pointSizeF(), 15.75);
        QCOMPARE(e.changeButton()->font().pointSizeF(), 11.25);
        QCOMPARE(e.editBox()->font().family(), QStringLiteral("IPAPGothic")); // for ＭＳ Ｐゴシック
        QCOMPARE(e.editBox()->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
        QCOMPARE(e.editBox()->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(e.cancelButton()->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
        // Neither button is a default button; Tab goes Text1, ｷｬﾝｾﾙ, 変更.
        for (QPushButton* b : {e.cancelButton(), e.changeButton()})
            QVERIFY(!b->isDefault() && !b->autoDefault());
        QCOMPARE(e.editBox()->nextInFocusChain(), static_cast<QWidget*>(e.cancelButton()));
        QCOMPARE(e.cancelButton()->nextInFocusChain(), static_cast<QWidget*>(e.changeButton()));
        QCOMPARE(e.editBox()->inputMethodQuery(Qt::ImPreferredLanguage).toString(), QStringLiteral("ja_JP"));
        QVERIFY(e.editBox()->testAttribute(Qt::WA_InputMethodEnabled));

        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        const QImage image = e.grab().toImage();
        QCOMPARE(pixel(image, 3, 3), QRgb(0xFF000000));    // window background
        QCOMPARE(pixel(image, 171, 51), QRgb(0xFFFFC0C0)); // margin of Shape1(0)
        QCOMPARE(pixel(image, 247, 85), QRgb(0xFFFFC0C0));
        QCOMPARE(pixel(image, 355, 51), QRgb(0xFFC0FFC0)); // margin of Shape1(1)
        QCOMPARE(pixel(image, 431, 85), QRgb(0xFFC0FFC0));
        QCOMPARE(pixel(image, 600, 25), QRgb(0xFF404040)); // inside the edit box
        QCOMPARE(pixel(image, 620, 60), QRgb(0xFF000000));
    }

    void opensOnSelectedRowWithCaretAtEnd()
    {
        MemoryRecordList list = listOf(3, 1);
        list.rows[1] = QStringLiteral("06/04 09:05:07　エピネフリン1回目投与");
        FrmEdit e(list, nullptr);
        QVERIFY(shownActive(e));
        QCOMPARE(e.editBox()->text(), list.rows[1]);
        QCOMPARE(e.editBox()->cursorPosition(), list.rows[1].size());
        QVERIFY(!e.editBox()->hasSelectedText());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.editBox()));
        // Typing continues the line.
        typeJapanese(e.editBox(), QStringLiteral("追加"));
        QCOMPARE(e.editBox()->text(), list.rows[1] + QStringLiteral("追加"));
    }

    void enterAndEscapeInTheBoxDoNothing()
    {
        MemoryRecordList list = listOf(3, 2);
        FrmEdit e(list, nullptr);
        QVERIFY(shownActive(e));
        QTest::keyClicks(e.editBox(), QStringLiteral("x"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(e.editBox(), key);
            QVERIFY(e.isVisible());
            QCOMPARE(e.result(), 0);
        }
        QTest::keyClick(e.editBox(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(e.isVisible());
        QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"row 0", "row 1", "row 2"}));
        QCOMPARE(e.editBox()->text(), QStringLiteral("row 2x"));

        // A button with the focus is pressed from the keyboard.
        QTest::keyClick(e.editBox(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.cancelButton()));
        QTest::keyClick(e.cancelButton(), Qt::Key_Space);
        QVERIFY(!e.isVisible());
        QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"row 0", "row 1", "row 2"}));

        FrmEdit again(list, nullptr);
        QVERIFY(shownActive(again));
        QCOMPARE(again.editBox()->text(), QStringLiteral("row 2")); // nothing survives the cancelled opening
        QTest::keyClicks(again.editBox(), QStringLiteral("y"));
        QTest::keyClick(again.editBox(), Qt::Key_Tab);
        QTest::keyClick(again.cancelButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(again.changeButton()));
        QTest::keyClick(again.changeButton(), Qt::Key_Return);
        QVERIFY(!again.isVisible());
        QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"row 0", "row 1", "row 2y"}));
    }

    void changeReplacesInPlaceAndCancelOrCloseKeepsTheRow()
    {
        for (int selected : {0, 2, 4}) {
            MemoryRecordList list = listOf(5, selected);
            FrmEdit e(list, nullptr);
            QVERIFY(shownActive(e));
            typeJapanese(e.editBox(), QStringLiteral("　修正"));
            QTest::mouseClick(e.changeButton(), Qt::LeftButton);
            QVERIFY(!e.isVisible());
            QStringList expected{"row 0", "row 1", "row 2", "row 3", "row 4"};
            expected[selected] += QStringLiteral("　修正");
            QCOMPARE(ScriptedMainWindow::rowsOf(list), expected);
        }
        // Pasted or typed line breaks and control characters become spaces:
        // a row stays one line, and no NUL cuts the report short.
        {
            MemoryRecordList list = listOf(2, 1);
            FrmEdit e(list, nullptr);
            QApplication::clipboard()->setText(QStringLiteral(" a\r\nb\nc\rd\u2028e") + QChar(0) +
                                               QStringLiteral("f\tg\x1bh\x7fi\u0085j\u009fk"));
            e.editBox()->paste();
            QCOMPARE(e.editBox()->cursorPosition(), e.editBox()->text().size());
            typeJapanese(e.editBox(), QStringLiteral("！\t注\x01"));
            QKeyEvent composed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("x\ay"));
            QApplication::sendEvent(e.editBox(), &composed);
            e.changeButton()->click();
            QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"row 0", "row 1 a b c d e f g h i j k！ 注 x y"}));
        }
        // Cleared box: an empty row in its place.
        {
            MemoryRecordList list = listOf(2, 0);
            FrmEdit e(list, nullptr);
            e.editBox()->clear();
            e.changeButton()->click();
            QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"", "row 1"}));
        }
        // ｷｬﾝｾﾙ and the title bar's close leave the row as it was.
        for (bool byTitleBar : {false, true}) {
            MemoryRecordList list = listOf(2, 1);
            FrmEdit e(list, nullptr);
            QVERIFY(shownActive(e));
            QTest::keyClicks(e.editBox(), QStringLiteral("typed"));
            if (byTitleBar)
                e.close();
            else
                QTest::mouseClick(e.cancelButton(), Qt::LeftButton);
            QVERIFY(!e.isVisible());
            QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"row 0", "row 1"}));
        }
    }

    void popupOffersItemsByState()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.findChildren<QMenuBar*>().isEmpty());
        PopupMenu* popup = w.popup();
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
            rightPressOnRow(w, row);
            QVERIFY(shown);
        };

        rightClick(0);
        QVERIFY(!shown->edit && !shown->del && !shown->undo);
        // A left press does not open the menu.
        shown.reset();
        QTest::mouseClick(w.recordList()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!shown);

        for (int i = 0; i < 4; ++i)
            w.eventButton(i)->click();
        QCOMPARE(w.recordList()->selectedIndex(), 3);
        // The press on another row neither selects it nor moves the command
        // off the row selected before.
        rightClick(1, Item::Delete);
        QVERIFY(shown->edit && shown->del && !shown->undo);
        const QStringList three = ScriptedMainWindow::rowsOf(*w.recordList());
        QCOMPARE(three.size(), 3);
        QCOMPARE(w.recordList()->selectedIndex(), 2);
        rightClick(0);
        QVERIFY(shown->edit && shown->del && shown->undo);
        QCOMPARE(w.recordList()->selectedIndex(), 2);
        QVERIFY(w.recordList()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.recordList()));

        // Delete everything; undo is still offered in the empty list.
        rightClick(0, Item::Delete);
        rightClick(0, Item::Delete);
        rightClick(0, Item::Delete);
        QCOMPARE(w.recordList()->count(), 0);
        QCOMPARE(w.recordList()->selectedIndex(), -1);
        rightClick(0, Item::Edit); // disabled: nothing happens
        QVERIFY(!shown->edit && !shown->del && shown->undo);
        rightClick(0, Item::Undo);
        QCOMPARE(ScriptedMainWindow::rowsOf(*w.recordList()), QStringList{three[0]});
        QCOMPARE(w.recordList()->selectedIndex(), 0);
        rightClick(0, Item::Undo); // the second undo is not offered
        QVERIFY(shown->edit && shown->del && !shown->undo);
        QCOMPARE(w.recordList()->count(), 1);
    }

    // A hurried mouse changes nothing: the right button chooses no item of
    // the real menu (a right click on 修正, the opening right press dragged
    // onto 削除 and released there), the menu stays open for the left button
    // and the keys; Ctrl or Shift with a click, and Ctrl+Space, leave the
    // selected row selected.
    void hurriedMouseChangesNothing()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        QVERIFY(shownWithRows(w, 4, {0, 1, 2, 3}));
        RecordListWidget* list = w.recordList();
        const QStringList four = ScriptedMainWindow::rowsOf(*list);
        int editWindows = 0;
        w.setEditWindowRunner([&](FrmEdit& e) {
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
            rightPressOnRow(w, 1);
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
        rightPressOnRow(w, 0);
        QCOMPARE(ScriptedMainWindow::rowsOf(*list), four.mid(0, 3));
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<PopupMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QTest::mouseClick(menu, Qt::LeftButton, {}, centre(*menu, menu->undoItem()));
        });
        rightPressOnRow(w, 0);
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

    // Without a right button: the Menu key and Shift+F10 in the focused list
    // open the same menu below the selected row (scrolled into view), a
    // finger held on the list opens it at the finger; its commands act on
    // the selected row. A mouse button held as long opens nothing.
    void menuOpensFromTheKeyboardAndByTouch()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        QVERIFY(shownWithRows(w, 40));
        RecordListWidget* list = w.recordList();
        const QStringList recorded = ScriptedMainWindow::rowsOf(*list);
        std::optional<QPoint> shownAt;
        QRect selectedRow; // where the selected row was while the menu showed
        std::optional<MenuStates> shown;
        std::optional<Item> choice;
        w.popup()->setShower([&](PopupMenu& m, const QPoint& at) {
            shownAt = at;
            selectedRow = list->visualItemRect(list->item(list->selectedIndex()));
            shown = MenuStates::of(m);
            if (choice)
                m.action(*choice)->trigger();
        });
        w.setEditWindowRunner([](FrmEdit& e) {
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
        QTest::keyClick(w.eventButton(0), Qt::Key_Menu);
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

    // The real modal paths: the menu chosen by mouse, the edit window run
    // modally, centred on the main window, which takes no input meanwhile.
    void realMenuAndModalEditWindow()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        QVERIFY(shownActive(w));
        w.eventButton(0)->click();
        // Without the edit window a click through the window system records.
        const QPoint onButton = w.eventButton(5)->mapTo(&w, w.eventButton(5)->rect().center());
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, onButton);
        QCOMPARE(w.recordList()->count(), 2);
        w.recordList()->select(0);
        const QString original = w.recordList()->rowText(0);

        bool sawMenu = false, sawWindow = false;
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<PopupMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            sawMenu = true;
            QVERIFY(menu->editItem()->isEnabled() && !menu->undoItem()->isEnabled());
            QTimer::singleShot(0, this, [&] {
                auto* e = qobject_cast<FrmEdit*>(QApplication::activeModalWidget());
                QVERIFY(e);
                sawWindow = true;
                QVERIFY(e->isVisible());
                QVERIFY(QTest::qWaitForWindowActive(e));
                auto closeOnFailure = qScopeGuard([e] { e->reject(); });
                // Centred on the main window as far as the (small, offscreen)
                // screen allows.
                const QRect screen = w.screen()->availableGeometry();
                QVERIFY(qAbs(e->geometry().center().y() - w.geometry().center().y()) <= 1);
                QVERIFY(qAbs(e->geometry().center().x() - w.geometry().center().x()) <= 1 ||
                        qAbs(e->frameGeometry().right() - screen.right()) <= 2);
                // The main window takes no input (a click through the window
                // system, where modality is enforced).
                QVERIFY(e->windowModality() != Qt::NonModal);
                QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, onButton);
                QCOMPARE(w.recordList()->count(), 2);
                QCOMPARE(e->editBox()->text(), original);
                typeJapanese(e->editBox(), QStringLiteral("！"));
                closeOnFailure.dismiss();
                QTest::mouseClick(e->changeButton(), Qt::LeftButton);
            });
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->editItem()).center());
        });
        rightPressOnRow(w, 1);
        QVERIFY(sawMenu);
        QVERIFY(sawWindow);
        QCOMPARE(w.recordList()->rowText(0), original + QStringLiteral("！"));
        QCOMPARE(w.recordList()->count(), 2);
        QCOMPARE(w.recordList()->selectedIndex(), 0);
        QVERIFY(w.editing().canUndo());
        QVERIFY(w.findChildren<FrmEdit*>().isEmpty()); // discarded when closed
    }
};

QTEST_MAIN(FrmEditTest)
#include "tst_FrmEdit.moc"
