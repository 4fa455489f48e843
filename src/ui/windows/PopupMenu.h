#pragma once
#include <QMenu>
#include <array>
#include <functional>

#include "controls/RecordMenu.h"

namespace veltrasa {

// The popup menu of the record list: 修正, a separator, 削除, 元に戻す,
// 振り返り.
// It belongs to the main window, which shows no menu bar.
class PopupMenu final : public QMenu, public RecordMenu {
    Q_OBJECT
public:
    // How the menu is shown at a point of the screen and an item chosen; by
    // default modally. Tests put a scripted choice in its place.
    using Shower = std::function<void(PopupMenu&, const QPoint& screenPosition)>;

    explicit PopupMenu(QWidget* parent);

    QAction* action(Item item) const { return items_[static_cast<std::size_t>(item)]; }
    // The items, named menuEdit, menuDelete, menuCancel and menuSummary as
    // objects.
    QAction* editItem() const { return action(Item::Edit); }
    QAction* deleteItem() const { return action(Item::Delete); }
    QAction* undoItem() const { return action(Item::Undo); }
    QAction* summaryItem() const { return action(Item::Summary); }

    void setItemEnabled(Item item, bool enabled) override { action(item)->setEnabled(enabled); }
    bool isItemEnabled(Item item) const override { return action(item)->isEnabled(); }
    void showAtPointer() override;
    void showAt(const QPoint& screenPosition) override;
    void setShower(Shower shower) { shower_ = std::move(shower); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::array<QAction*, 4> items_{};
    Shower shower_;
};

} // namespace veltrasa
