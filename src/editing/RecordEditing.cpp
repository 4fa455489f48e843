#include "editing/RecordEditing.h"

#include <algorithm>

#include "controls/RecordList.h"
#include "controls/RecordMenu.h"

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
    targets_.popup.showAtPointer();
}

void RecordEditing::showRecordMenuAt(const QPoint& screenPosition)
{
    prepareRecordMenu();
    targets_.popup.showAt(screenPosition);
}

void RecordEditing::prepareRecordMenu()
{
    // Disabling and re-enabling drops any mouse grab the list holds.
    targets_.list.setEnabled(false);
    targets_.list.setEnabled(true);
    targets_.list.giveFocus();

    const bool hasRows = targets_.list.count() > 0;
    targets_.popup.setItemEnabled(RecordMenu::Item::Edit, hasRows);
    targets_.popup.setItemEnabled(RecordMenu::Item::Delete, hasRows);
    // The summary needs rows, but no selected one.
    targets_.popup.setItemEnabled(RecordMenu::Item::Summary, hasRows);
    // Undo is offered whenever there is something to undo, even in an
    // empty list.
    targets_.popup.setItemEnabled(RecordMenu::Item::Undo, canUndo());
}

bool RecordEditing::rememberSelectedRow()
{
    const int selected = targets_.list.selectedIndex();
    if (selected < 0 || selected >= targets_.list.count())
        return false;
    undo_.undoRowText = targets_.list.rowText(selected);
    undo_.undoRowIndex = selected;
    return true;
}

void RecordEditing::deleteRow()
{
    if (!rememberSelectedRow())
        return;
    targets_.list.removeRow(undo_.undoRowIndex);
    // The newest row, not the neighbour of the removed one.
    targets_.list.select(targets_.list.count() - 1);
    undo_.undoRowWasEdited = false;
}

void RecordEditing::editRow()
{
    if (!rememberSelectedRow())
        return;
    if (targets_.openEditWindow)
        targets_.openEditWindow();
    targets_.list.select(undo_.undoRowIndex);
    // Even a cancelled correction can be "undone": the same text goes back.
    undo_.undoRowWasEdited = true;
}

void RecordEditing::showSummary()
{
    if (targets_.list.count() > 0 && targets_.openSummaryWindow)
        targets_.openSummaryWindow();
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
        if (undo_.undoRowIndex < targets_.list.count())
            targets_.list.removeRow(undo_.undoRowIndex);
        undo_.undoRowWasEdited = false;
    }
    const int index = std::min(undo_.undoRowIndex, targets_.list.count());
    targets_.list.insertRow(index, undo_.undoRowText);
    targets_.list.select(index);
    undo_.undoRowText.clear();
    undo_.undoRowIndex = 0;
}

} // namespace veltrasa
