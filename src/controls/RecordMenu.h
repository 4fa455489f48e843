#pragma once
#include <QPoint>

namespace veltrasa {

// The record list's popup menu as the commands see it: four choosable
// items whose enabled states are set before each showing.
class RecordMenu {
public:
    // 修正 (menuEdit), 削除 (menuDelete), 元に戻す (menuCancel), 振り返り
    // (menuSummary)
    enum class Item { Edit, Delete, Undo, Summary };

    virtual ~RecordMenu() = default;
    virtual void setItemEnabled(Item item, bool enabled) = 0;
    virtual bool isItemEnabled(Item item) const = 0;
    // Shows the menu with its left edge at the mouse pointer, or at a point
    // of the screen, and returns once it has closed; the handler of a chosen
    // item has run by then.
    virtual void showAtPointer() = 0;
    virtual void showAt(const QPoint& screenPosition) = 0;
};

} // namespace veltrasa
