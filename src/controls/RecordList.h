#pragma once
#include <QString>

namespace veltrasa {

// The record list: single selection, rows kept in insertion order.
// Indexes are 0-based; selectedIndex() is -1 when nothing is selected.
class RecordList {
public:
    virtual ~RecordList() = default;
    virtual void clear() = 0;
    virtual void addRow(const QString& text) = 0;
    // Rows at and after index move down; index == count() appends.
    virtual void insertRow(int index, const QString& text) = 0;
    virtual void removeRow(int index) = 0;
    virtual int count() const = 0;
    virtual QString rowText(int index) const = 0;
    virtual int selectedIndex() const = 0;
    // Selects the row and scrolls it into view; -1 clears the selection.
    virtual void select(int index) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void giveFocus() = 0;

    QString selectedText() const
    {
        const int i = selectedIndex();
        return i >= 0 && i < count() ? rowText(i) : QString();
    }
};

} // namespace veltrasa
