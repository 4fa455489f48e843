#include "editing/RecordEditing.h"

#include <algorithm>

#include "platform/Controls.h"

namespace veltrasa {

void RecordEditing::clearUndoBuffer()
{
    undo_ = UndoBuffer{};
}

bool isRecordMenuKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && held == Qt::ShiftModifier);
}

void RecordEditing::showRecordMenu(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    prepareRecordMenu();
    t_.popup.showAtPointer();
}

void RecordEditing::showRecordMenuAt(const QPoint& screenPosition)
{
    prepareRecordMenu();
    t_.popup.showAt(screenPosition);
}

void RecordEditing::prepareRecordMenu()
{
    // Disabling and re-enabling drops any mouse grab the list holds.
    t_.list.setEnabled(false);
    t_.list.setEnabled(true);
    t_.list.giveFocus();

    const bool hasRows = t_.list.count() > 0;
    t_.popup.setItemEnabled(RecordMenu::Item::Edit, hasRows);
    t_.popup.setItemEnabled(RecordMenu::Item::Delete, hasRows);
    // The summary needs rows, but no selected one.
    t_.popup.setItemEnabled(RecordMenu::Item::Summary, hasRows);
    // Undo is offered whenever there is something to undo, even in an
    // empty list.
    t_.popup.setItemEnabled(RecordMenu::Item::Undo, canUndo());
}

bool RecordEditing::rememberSelectedRow()
{
    const int selected = t_.list.selectedIndex();
    if (selected < 0 || selected >= t_.list.count())
        return false;
    undo_.undoRowText = t_.list.rowText(selected);
    undo_.undoRowIndex = selected;
    return true;
}

void RecordEditing::deleteRow()
{
    if (!rememberSelectedRow())
        return;
    t_.list.removeRow(undo_.undoRowIndex);
    // The newest row, not the neighbour of the removed one.
    t_.list.select(t_.list.count() - 1);
    undo_.undoRowWasEdited = false;
}

void RecordEditing::editRow()
{
    if (!rememberSelectedRow())
        return;
    if (t_.openEditWindow)
        t_.openEditWindow();
    t_.list.select(undo_.undoRowIndex);
    // Even a cancelled correction can be "undone": the same text goes back.
    undo_.undoRowWasEdited = true;
}

void RecordEditing::showSummary()
{
    if (t_.list.count() > 0 && t_.openSummaryWindow)
        t_.openSummaryWindow();
}

void RecordEditing::undoLastChange()
{
    // Never offered with an empty buffer; inserting its empty text would
    // add a row nobody recorded.
    if (!canUndo())
        return;
    // Rows are only ever appended after the remembered index, so it is at
    // most the row count; should it not be, the row still comes back (at the
    // end) rather than being lost.
    if (undo_.undoRowWasEdited) {
        if (undo_.undoRowIndex < t_.list.count())
            t_.list.removeRow(undo_.undoRowIndex);
        undo_.undoRowWasEdited = false;
    }
    const int index = std::min(undo_.undoRowIndex, t_.list.count());
    t_.list.insertRow(index, undo_.undoRowText);
    t_.list.select(index);
    undo_.undoRowText.clear();
    undo_.undoRowIndex = 0;
}

} // namespace veltrasa
