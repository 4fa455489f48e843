#include <QtTest>
#include <optional>
#include <utility>

#include "Scripted.h"
#include "controls/EditBox.h"
#include "editing/RecordEditing.h"
#include "editing/RowEditor.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

namespace {

class FakeMenu final : public RecordMenu {
public:
    void setItemEnabled(Item item, bool enabled) override { enabled_[static_cast<std::size_t>(item)] = enabled; }
    bool isItemEnabled(Item item) const override { return enabled_[static_cast<std::size_t>(item)]; }
    void showAtPointer() override
    {
        shownAt.reset();
        show();
    }
    void showAt(const QPoint& screenPosition) override
    {
        shownAt = screenPosition;
        show();
    }
    void show()
    {
        ++shown;
        lastShown = MenuStates::of(*this);
        if (onShow)
            onShow();
    }
    std::function<void()> onShow;
    int shown = 0;
    std::optional<QPoint> shownAt; // none: at the mouse pointer
    std::optional<MenuStates> lastShown;

private:
    std::array<bool, 4> enabled_{true, true, true, true};
};

class FakeEditBox final : public EditBox {
public:
    void setText(const QString& t) override { text_ = t; }
    QString text() const override { return text_; }
    void placeCaret(int position) override { caret = position; }
    QString text_;
    int caret = -1;
};

// The record list, its menu and the edit window, all in memory. The next
// edit window either types a new text and presses 変更 or presses ｷｬﾝｾﾙ.
struct Rig {
    Rig() { editing.clearUndoBuffer(); }

    void append(const QString& row)
    {
        list.addRow(row);
        list.select(list.count() - 1);
    }
    void appendRows(int n)
    {
        for (int i = 0; i < n; ++i)
            append(QStringLiteral("row %1").arg(list.count()));
    }

    // A right-button press on the list, and the item chosen from the menu
    // (if it is enabled; nothing if none given). Returns the states shown.
    MenuStates rightClick(std::optional<Item> choice = std::nullopt)
    {
        return choose([this] { editing.showRecordMenu(Qt::RightButton); }, choice);
    }
    // The same, the menu opened by a key or a touch at `at`.
    MenuStates menuAt(const QPoint& at, std::optional<Item> choice = std::nullopt)
    {
        return choose([this, at] { editing.showRecordMenuAt(at); }, choice);
    }
    MenuStates choose(const std::function<void()>& open, std::optional<Item> choice)
    {
        menu.lastShown.reset();
        menu.onShow = [this, choice] {
            if (!choice || !menu.isItemEnabled(*choice))
                return;
            switch (*choice) {
            case Item::Edit:
                editing.editRow();
                break;
            case Item::Delete:
                editing.deleteRow();
                break;
            case Item::Undo:
                editing.undoLastChange();
                break;
            case Item::Summary:
                editing.showSummary();
                break;
            }
        };
        open();
        return menu.lastShown.value_or(MenuStates{});
    }
    void correct(int row, const QString& text)
    {
        list.select(row);
        nextCorrection = text;
        rightClick(Item::Edit);
    }
    void cancelCorrection(int row)
    {
        list.select(row);
        nextCorrection.reset();
        rightClick(Item::Edit);
    }
    void remove(int row)
    {
        list.select(row);
        rightClick(Item::Delete);
    }
    void undo() { rightClick(Item::Undo); }

    void runEditWindow()
    {
        ++editWindowsOpened;
        FakeEditBox box;
        bool closed = false;
        RowEditor window({list, box, [&] { closed = true; }});
        window.Form_Load();
        openedWith = box.text_;
        caretOnOpening = box.caret;
        if (nextCorrection) {
            box.text_ = *nextCorrection;
            window.replaceSelectedRow();
        } else {
            box.text_ += QStringLiteral("typed, then cancelled");
            window.cancel();
        }
        QVERIFY(closed);
    }

    QStringList rows() const
    {
        QStringList r;
        for (const auto& row : list.rows)
            r << row;
        return r;
    }

    MemoryRecordList list;
    FakeMenu menu;
    RecordEditing editing{{list, menu, [this] { runEditWindow(); }, {}}};
    std::optional<QString> nextCorrection;
    QString openedWith;
    int caretOnOpening = -1;
    int editWindowsOpened = 0;
};

QStringList numbered(int n)
{
    QStringList r;
    for (int i = 0; i < n; ++i)
        r << QStringLiteral("row %1").arg(i);
    return r;
}

constexpr MenuStates kAllOff{false, false, false};
constexpr MenuStates kUndoOnly{false, false, true};
constexpr MenuStates kRowsOnly{true, true, false};
constexpr MenuStates kAllOn{true, true, true};

} // namespace

class RecordEditingTest : public QObject {
    Q_OBJECT
private slots:
    void rightPressOffersWhatCanBeDone()
    {
        Rig r;
        QCOMPARE(r.rightClick(), kAllOff); // empty list, empty buffer
        r.appendRows(3);
        QCOMPARE(r.rightClick(), kRowsOnly);
        r.remove(1);
        QCOMPARE(r.rightClick(), kAllOn);
        r.remove(0);
        r.remove(0);
        QCOMPARE(r.list.count(), 0);
        QCOMPARE(r.list.selectedIndex(), -1);
        QCOMPARE(r.rightClick(), kUndoOnly); // empty list, something to undo
        r.undo();
        QCOMPARE(r.rows(), QStringList{QStringLiteral("row 2")});
        QCOMPARE(r.rightClick(), kRowsOnly); // a second undo is not offered

        // Only the right button opens the menu; the press drops the list's
        // mouse grab, gives it the focus and keeps the selected row.
        r.appendRows(2);
        r.list.select(1);
        const int shown = r.menu.shown;
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::MiddleButton, Qt::BackButton})
            r.editing.showRecordMenu(b);
        QCOMPARE(r.menu.shown, shown);
        QVERIFY(r.list.enabled);
        const int focus = r.list.focusRequests;
        r.rightClick();
        QCOMPARE(r.list.focusRequests, focus + 1);
        QVERIFY(r.list.enabled);
        QCOMPARE(r.list.selectedIndex(), 1);
    }

    // The Menu key, Shift+F10 and a touch-and-hold open the same menu where
    // they say, offering the same items; its commands act on the selected
    // row. The right press still opens it at the pointer.
    void menuOpensWithoutTheRightButton()
    {
        Rig r;
        QCOMPARE(r.menuAt(QPoint(5, 6)), kAllOff);
        QCOMPARE(r.menu.shownAt, QPoint(5, 6));
        r.appendRows(4);
        r.list.select(1);
        const int focus = r.list.focusRequests;
        QCOMPARE(r.menuAt(QPoint(300, 40), Item::Delete), kRowsOnly);
        QCOMPARE(r.menu.shownAt, QPoint(300, 40));
        QCOMPARE(r.rows(), (QStringList{"row 0", "row 2", "row 3"}));
        QCOMPARE(r.list.focusRequests, focus + 1);
        QVERIFY(r.list.enabled);
        QCOMPARE(r.menuAt(QPoint(0, 0), Item::Undo), kAllOn);
        QCOMPARE(r.rows(), numbered(4));
        QCOMPARE(r.list.selectedIndex(), 1);
        r.nextCorrection = QStringLiteral(u"\u202Ecorrected\u2066"); // the row holds what every output shows
        QCOMPARE(r.menuAt(QPoint(1, 1), Item::Edit), kRowsOnly);
        QCOMPARE(r.rows(), (QStringList{"row 0", "corrected", "row 2", "row 3"}));
        QCOMPARE(r.rightClick(), kAllOn);
        QVERIFY(!r.menu.shownAt);

        QVERIFY(isRecordMenuKey(Qt::Key_Menu, {}));
        QVERIFY(isRecordMenuKey(Qt::Key_F10, Qt::ShiftModifier));
        QVERIFY(isRecordMenuKey(Qt::Key_F10, Qt::ShiftModifier | Qt::KeypadModifier));
        QVERIFY(!isRecordMenuKey(Qt::Key_F10, {}));
        QVERIFY(!isRecordMenuKey(Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier));
        QVERIFY(!isRecordMenuKey(Qt::Key_F9, Qt::ShiftModifier));
        QVERIFY(!isRecordMenuKey(Qt::Key_Return, {}));
    }

    void deletionSelectsNewestAndUndoReturnsRowToItsPlace()
    {
        Rig r;
        r.appendRows(10);
        r.remove(3);
        QCOMPARE(r.list.count(), 9);
        QCOMPARE(r.list.selectedIndex(), 8); // the newest, not the neighbour
        r.append(QStringLiteral("new A"));
        r.append(QStringLiteral("new B"));
        r.undo();
        QStringList expected = numbered(10);
        expected << QStringLiteral("new A") << QStringLiteral("new B");
        QCOMPARE(r.rows(), expected);
        QCOMPARE(r.list.selectedIndex(), 3);
        QCOMPARE(r.editing.undoBuffer().undoRowText, QString());
        QCOMPARE(r.editing.undoBuffer().undoRowIndex, 0);
        QCOMPARE(r.rightClick(Item::Undo), kRowsOnly);
        QCOMPARE(r.rows(), expected);

        // The last row goes back to the end; the only row back into an
        // empty list.
        r.remove(11);
        QCOMPARE(r.list.selectedIndex(), 10);
        r.undo();
        QCOMPARE(r.rows(), expected);
        QCOMPARE(r.list.selectedIndex(), 11);

        Rig one;
        one.appendRows(1);
        one.remove(0);
        QCOMPARE(one.list.selectedIndex(), -1);
        one.undo();
        QCOMPARE(one.rows(), numbered(1));
        QCOMPARE(one.list.selectedIndex(), 0);
    }

    void correctionReplacesInPlaceAndUndoRestoresIt()
    {
        Rig r;
        r.appendRows(5);
        r.correct(2, QStringLiteral("06/04 09:05:07　除細動施行"));
        QCOMPARE(r.openedWith, QStringLiteral("row 2"));
        QCOMPARE(r.caretOnOpening, 5);
        QStringList corrected = numbered(5);
        corrected[2] = QStringLiteral("06/04 09:05:07　除細動施行");
        QCOMPARE(r.rows(), corrected);
        QCOMPARE(r.list.selectedIndex(), 2);
        QCOMPARE(r.rightClick(), kAllOn);
        r.undo();
        QCOMPARE(r.rows(), numbered(5));
        QCOMPARE(r.list.selectedIndex(), 2);

        // The top and bottom rows keep their places; unchanged text looks
        // unchanged.
        r.correct(0, QStringLiteral("top"));
        r.correct(4, QStringLiteral("bottom"));
        r.correct(4, QStringLiteral("bottom"));
        QCOMPARE(r.rows(), (QStringList{"top", "row 1", "row 2", "row 3", "bottom"}));
        QCOMPARE(r.list.selectedIndex(), 4);
        // Only the newest change can be undone.
        r.undo();
        QCOMPARE(r.rows(), (QStringList{"top", "row 1", "row 2", "row 3", "bottom"}));
        QCOMPARE(r.rightClick(), kRowsOnly);
    }

    void cancelledCorrectionIsStillUndoable()
    {
        Rig r;
        r.appendRows(4);
        r.cancelCorrection(1);
        QCOMPARE(r.rows(), numbered(4)); // what was typed is thrown away
        QCOMPARE(r.list.selectedIndex(), 1);
        QVERIFY(r.editing.undoBuffer().undoRowWasEdited);
        QCOMPARE(r.rightClick(), kAllOn);
        r.list.select(3);
        r.undo();
        QCOMPARE(r.rows(), numbered(4));
        QCOMPARE(r.list.selectedIndex(), 1);
        QVERIFY(!r.editing.undoBuffer().undoRowWasEdited);
        QCOMPARE(r.rightClick(), kRowsOnly);
    }

    void correctionThenDeletionUndoesOnlyTheDeletion()
    {
        Rig r;
        r.appendRows(5);
        r.correct(1, QStringLiteral("fixed"));
        r.remove(3);
        r.undo();
        QCOMPARE(r.rows(), (QStringList{"row 0", "fixed", "row 2", "row 3", "row 4"}));
        QCOMPARE(r.list.selectedIndex(), 3);
        QCOMPARE(r.rightClick(), kRowsOnly);

        // And the other way round: a deletion then a correction of a row
        // below it undoes the correction where the row now stands.
        r.remove(0);
        r.correct(2, QStringLiteral("changed"));
        r.undo();
        QCOMPARE(r.rows(), (QStringList{"fixed", "row 2", "row 3", "row 4"}));
        QCOMPARE(r.list.selectedIndex(), 2);
    }

    void emptyRowsLeaveNothingToUndo()
    {
        Rig r;
        r.appendRows(3);
        r.correct(1, QString()); // clearing the box leaves an empty row
        QCOMPARE(r.rows(), (QStringList{"row 0", "", "row 2"}));
        QCOMPARE(r.rightClick(), kAllOn); // its old text can come back
        r.correct(1, QStringLiteral("again"));
        QCOMPARE(r.openedWith, QString());
        QCOMPARE(r.caretOnOpening, 0);
        QCOMPARE(r.rightClick(), kRowsOnly); // but the empty text cannot
        r.correct(1, QString());
        r.remove(1);
        QCOMPARE(r.rows(), (QStringList{"row 0", "row 2"}));
        QCOMPARE(r.rightClick(), kRowsOnly);
        // Called anyway, undo adds no empty row.
        r.editing.undoLastChange();
        QCOMPARE(r.rows(), (QStringList{"row 0", "row 2"}));
        Rig fresh;
        fresh.editing.undoLastChange();
        QCOMPARE(fresh.list.count(), 0);
    }

    void withoutSelectionNothingHappens()
    {
        Rig r;
        r.appendRows(3);
        r.remove(0);
        r.list.select(-1);
        r.editing.deleteRow();
        r.editing.editRow();
        QCOMPARE(r.editWindowsOpened, 0);
        QCOMPARE(r.rows(), (QStringList{"row 1", "row 2"}));
        QCOMPARE(r.editing.undoBuffer().undoRowText, QStringLiteral("row 0"));
        r.undo();
        QCOMPARE(r.rows(), numbered(3));

        // 変更 with nothing selected only closes the window.
        FakeEditBox box;
        box.text_ = QStringLiteral("x");
        int closed = 0;
        r.list.select(-1);
        RowEditor window({r.list, box, [&] { ++closed; }});
        window.replaceSelectedRow();
        QCOMPARE(closed, 1);
        QCOMPARE(r.rows(), numbered(3));
    }

    // Corrected text stays one line the outputs carry whole: each control
    // character (C0, DEL, C1) and line break becomes one space, a CR LF pair
    // one space for the two; every other character stays.
    void correctedTextKeepsToOneLine()
    {
        const auto single = [](QString text, int caret) {
            makeSingleLine(text, caret);
            return std::make_pair(text, caret);
        };
        for (char16_t u = 0; u <= 0x9F; ++u) {
            const QString text = QStringLiteral("a") + QChar(u) + QStringLiteral("b");
            const bool control = u < 0x20 || u >= 0x7F;
            QCOMPARE(single(text, 3), std::make_pair(control ? QStringLiteral("a b") : text, 3));
        }
        for (char16_t u : {u'\u2028', u'\u2029'})
            QCOMPARE(single(QString(QChar(u)), 1), std::make_pair(QStringLiteral(" "), 1));
        const QString kept =
            QStringLiteral(u"\u00A0\u00A1\u00FF\u3000\uE000\uFFFD心ｱ") + QString::fromUcs4(U"\U0001F600\U000F0000");
        QCOMPARE(single(kept, 2), std::make_pair(kept, 2));

        // Format characters and noncharacters go; a lone surrogate is U+FFFD.
        for (char32_t u : {0xADu, 0x61Cu, 0x200Bu, 0x200Du, 0x200Eu, 0x200Fu, 0x202Eu, 0x2060u, 0x2066u, 0x2069u,
                           0xFEFFu, 0xFDD0u, 0xFFFEu, 0xE0001u, 0xE0041u, 0x10FFFFu}) {
            const QString text = QStringLiteral("a") + QString::fromUcs4(&u, 1) + QStringLiteral("b");
            QCOMPARE(single(text, int(text.size()) - 1), std::make_pair(QStringLiteral("ab"), 1));
        }
        QCOMPARE(single(QStringLiteral(u"X \u202E31:85:20 80/21"), 17),
                 std::make_pair(QStringLiteral("X 31:85:20 80/21"), 16));
        QCOMPARE(single(QStringLiteral("a") + QChar(0xDC00) + QStringLiteral("b") + QChar(0xD800), 4),
                 std::make_pair(QStringLiteral(u"a\uFFFDb\uFFFD"), 4));

        // A CR LF pair: the caret after it, inside it, before it.
        QCOMPARE(single(QStringLiteral("a\r\nb"), 4), std::make_pair(QStringLiteral("a b"), 3));
        QCOMPARE(single(QStringLiteral("a\r\nb"), 2), std::make_pair(QStringLiteral("a b"), 2));
        QCOMPARE(single(QStringLiteral("a\r\nb"), 1), std::make_pair(QStringLiteral("a b"), 1));
        QCOMPARE(single(QStringLiteral("\n\r\r\r\n\t"), 6), std::make_pair(QStringLiteral("     "), 5));
        const QString nul = QStringLiteral("x") + QChar(0) + QStringLiteral("y\x1b[31mz\x7f");
        QCOMPARE(single(nul, 0), std::make_pair(QStringLiteral("x y [31mz "), 0));
    }

    void startUpClearsTheBuffer()
    {
        Rig r;
        r.appendRows(2);
        r.correct(0, QStringLiteral("x"));
        r.editing.clearUndoBuffer();
        QCOMPARE(r.editing.undoBuffer().undoRowText, QString());
        QCOMPARE(r.editing.undoBuffer().undoRowIndex, 0);
        QVERIFY(!r.editing.undoBuffer().undoRowWasEdited);
        QCOMPARE(r.rightClick(), kRowsOnly);
    }
};

QTEST_GUILESS_MAIN(RecordEditingTest)
#include "tst_RecordEditing.moc"
