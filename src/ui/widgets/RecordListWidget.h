#pragma once
#include <QListWidget>

#include "controls/RecordList.h"

namespace veltrasa {

// The record list: Qt's list with rows of one height (uniform item sizes,
// no row's width measured on its own). A right-button press does not select
// the row under the pointer; it is reported so the popup menu can act on the
// row selected before the press. The Menu key and Shift+F10, and a
// touch-and-hold, ask for the same menu at the selected row or at the
// finger. While there are rows one of them stays selected: no click or key
// deselects it. A row wider than the list is clipped at its edge and shown
// from its start: there is no horizontal scroll bar, and the row's place
// (for painting, its focus frame and accessibility) ends at that edge.
class RecordListWidget final : public QListWidget, public RecordList {
    Q_OBJECT
public:
    explicit RecordListWidget(QWidget* parent);
    void clear() override { QListWidget::clear(); }
    void addRow(const QString& text) override { addItem(text); }
    void insertRow(int index, const QString& text) override { insertItem(index, text); }
    void removeRow(int index) override;
    int count() const override { return QListWidget::count(); }
    QString rowText(int index) const override;
    int selectedIndex() const override;
    void select(int index) override;
    void setEnabled(bool enabled) override { QListWidget::setEnabled(enabled); }
    void giveFocus() override { setFocus(Qt::MouseFocusReason); }

    // A row ends at the list's right edge, where it is clipped.
    QRect visualRect(const QModelIndex& index) const override;

signals:
    void mouseButtonPressed(Qt::MouseButton button);
    void menuRequested(const QPoint& screenPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void updateGeometries() override;

private:
    // Where a menu opened from the keyboard goes: below the selected row,
    // scrolled into view first, or the list's top-left corner.
    QPoint selectedRowMenuPosition();

    bool pressedByTouch_ = false; // the last press came from a touch screen
};

} // namespace veltrasa
