#pragma once
#include <QListWidget>
#include <vector>

namespace veltrasa {

// A QListWidget whose rows all have one height, laid out by arithmetic.
//
// QListView lays out every row again whenever a row is inserted, so with a
// long record each press spent most of its time on rows that had not
// changed (about 0.4 ms at 10,000 rows). Here a row's place is its index
// times the row height, and inserting a row costs the same however many
// rows there are. Items, model, selection, delegate, keyboard and
// accessibility are QListWidget's own; only the geometry is replaced.
// One column, top to bottom, no wrapping, no hidden rows, no drag and drop.
// With the horizontal scroll bar off (Qt::ScrollBarAlwaysOff) every row is
// as wide as the list and text wider than it is clipped at its edge; no
// row's width is measured then.
class UniformRowListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit UniformRowListWidget(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

public slots:
    // QListWidget's own scrollToItem() calls QListView::scrollTo() by name,
    // which works from QListView's layout of the rows, a layout this list
    // never makes: for a row wider than the list it scrolled to the top.
    // This one scrolls by the row's place, like scrollTo().
    void scrollToItem(const QListWidgetItem* item, ScrollHint hint = EnsureVisible);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    QSize viewportSizeHint() const override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void reset() override;

private:
    int measureRow(int row, QSize* size) const; // the delegate's size hint; returns the width
    int rowHeight() const;
    int contentWidth() const; // the widest row's width; 0 while rows are clipped
    bool clipsRows() const;   // at the list's edge (horizontal scroll bar off)
    bool keepsWidths() const; // whether widths_ is kept up to date row by row
    int visibleRows() const;
    bool perItem() const;
    int rowAt(int y) const; // row under viewport y; may be out of range
    void invalidateSizes();

    mutable int rowHeight_ = -1;       // -1: to be measured
    mutable bool widthsValid_ = false; // false: widths_ to be measured again
    mutable std::vector<int> widths_;  // each row's width
    mutable int widest_ = -1;          // -1: to be found in widths_
    bool geometriesPending_ = false;   // scroll ranges to be worked out when shown
};

} // namespace veltrasa
