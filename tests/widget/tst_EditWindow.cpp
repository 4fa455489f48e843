// The edit window: laid out as described, opened on the selected row,
// changing the row or leaving it as it was, and run modally over the main
// window from the real menu.
#include <QClipboard>
#include <QPushButton>
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EditBoxWidget.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/EditWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {

QRgb pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

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

} // namespace

class EditWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void laidOutAsDescribed()
    {
        MemoryRecordList list = listOf(1, 0);
        EditWindow e(list, nullptr);
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
        EditWindow e(list, nullptr);
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
        EditWindow e(list, nullptr);
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

        EditWindow again(list, nullptr);
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
            EditWindow e(list, nullptr);
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
            EditWindow e(list, nullptr);
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
            EditWindow e(list, nullptr);
            e.editBox()->clear();
            e.changeButton()->click();
            QCOMPARE(ScriptedMainWindow::rowsOf(list), (QStringList{"", "row 1"}));
        }
        // ｷｬﾝｾﾙ and the title bar's close leave the row as it was.
        for (bool byTitleBar : {false, true}) {
            MemoryRecordList list = listOf(2, 1);
            EditWindow e(list, nullptr);
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

    // The real modal paths: the menu chosen by mouse, the edit window run
    // modally, centred on the main window, which takes no input meanwhile.
    void realMenuAndModalEditWindow()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QVERIFY(shownActive(window));
        window.eventButton(0)->click();
        // Without the edit window a click through the window system records.
        const QPoint onButton = window.eventButton(5)->mapTo(&window, window.eventButton(5)->rect().center());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
        QCOMPARE(window.recordList()->count(), 2);
        window.recordList()->select(0);
        const QString original = window.recordList()->rowText(0);

        bool sawMenu = false, sawWindow = false;
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<PopupMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            sawMenu = true;
            QVERIFY(menu->editItem()->isEnabled() && !menu->undoItem()->isEnabled());
            QTimer::singleShot(0, this, [&] {
                auto* e = qobject_cast<EditWindow*>(QApplication::activeModalWidget());
                QVERIFY(e);
                sawWindow = true;
                QVERIFY(e->isVisible());
                QVERIFY(QTest::qWaitForWindowActive(e));
                auto closeOnFailure = qScopeGuard([e] { e->reject(); });
                // Centred on the main window as far as the (small, offscreen)
                // screen allows.
                const QRect screen = window.screen()->availableGeometry();
                QVERIFY(qAbs(e->geometry().center().y() - window.geometry().center().y()) <= 1);
                QVERIFY(qAbs(e->geometry().center().x() - window.geometry().center().x()) <= 1 ||
                        qAbs(e->frameGeometry().right() - screen.right()) <= 2);
                // The main window takes no input (a click through the window
                // system, where modality is enforced).
                QVERIFY(e->windowModality() != Qt::NonModal);
                QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
                QCOMPARE(window.recordList()->count(), 2);
                QCOMPARE(e->editBox()->text(), original);
                typeJapanese(e->editBox(), QStringLiteral("！"));
                closeOnFailure.dismiss();
                QTest::mouseClick(e->changeButton(), Qt::LeftButton);
            });
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->editItem()).center());
        });
        rightPressOnRow(window, 1);
        QVERIFY(sawMenu);
        QVERIFY(sawWindow);
        QCOMPARE(window.recordList()->rowText(0), original + QStringLiteral("！"));
        QCOMPARE(window.recordList()->count(), 2);
        QCOMPARE(window.recordList()->selectedIndex(), 0);
        QVERIFY(window.editing().canUndo());
        QVERIFY(window.findChildren<EditWindow*>().isEmpty()); // discarded when closed
    }
};

QTEST_MAIN(EditWindowTest)
#include "tst_EditWindow.moc"
