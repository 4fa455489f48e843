#pragma once
// Correcting, deleting and restoring rows of the record list from its popup
// menu, with one level of undo.

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

#include "controls/RecordMenu.h"

namespace veltrasa {

class RecordList;

// The keys that open the record list's menu from the keyboard while the
// list has the focus: the Menu key, and Shift+F10.
bool isRecordMenuKey(int key, Qt::KeyboardModifiers modifiers);

// The row last deleted or opened for correction. An empty text means there
// is nothing to undo.
struct UndoBuffer {
    QString undoRowText;
    int undoRowIndex = 0;
    bool undoRowWasEdited = false;
};

// The handlers of the right-button press on the record list and of the
// popup menu's items. They run on the user-interface thread, one at a time.
class RecordEditing {
public:
    struct Targets {
        RecordList& list;
        RecordMenu& popup;
        // Opens the edit window modally on the selected row and returns
        // once it has closed (with the row replaced in place, or unchanged).
        std::function<void()> openEditWindow;
        // Opens the code summary of the rows as they stand, modally; it
        // changes nothing in the record.
        std::function<void()> openSummaryWindow;
    };

    explicit RecordEditing(Targets targets) : targets_(std::move(targets)) {}

    // Start-up: nothing to undo.
    void clearUndoBuffer();

    // A mouse-button press on the record list; only the right button opens
    // the menu. The press itself never changes the selected row.
    void showRecordMenu(Qt::MouseButton button);
    // The same menu, with the same items offered, opened without a mouse:
    // by a menu key of the keyboard (at the selected row) or a touch-and-hold
    // on the list (at the finger).
    void showRecordMenuAt(const QPoint& screenPosition);

    void editRow();        // 修正
    void deleteRow();      // 削除
    void undoLastChange(); // 元に戻す
    void showSummary();    // 振り返り

    const UndoBuffer& undoBuffer() const { return undo_; }
    bool canUndo() const { return !undo_.undoRowText.isEmpty(); }

private:
    // Drops the list's mouse grab, gives it the focus and offers the items
    // that can act.
    void prepareRecordMenu();
    // Remembers the selected row; false when no row is selected.
    bool rememberSelectedRow();

    Targets targets_;
    UndoBuffer undo_;
};

} // namespace veltrasa
