#include "ui/widgets/UniformRowListWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

// The overrides below call QAbstractItemView directly, skipping QListView:
// its versions lay out every row again, which is what this class replaces.

namespace veltrasa {

UniformRowListWidget::UniformRowListWidget(QWidget* parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    setWrapping(false);
    setFlow(TopToBottom);
    setDragEnabled(false);
    // A vertical scroll bar only: a row wider than the list is clipped at
    // its edge (not shortened with an ellipsis) rather than costing the list
    // a horizontal bar over its last visible row.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    const auto refresh = [this] {
        updateGeometries();
        viewport()->update();
    };
    // Removals have happened only now; reorderings may bring another row first.
    connect(model(), &QAbstractItemModel::rowsRemoved, this, refresh);
    const auto remeasure = [this, refresh] {
        rowHeight_ = -1;
        refresh();
    };
    connect(model(), &QAbstractItemModel::layoutChanged, this, remeasure);
    connect(model(), &QAbstractItemModel::rowsMoved, this, remeasure);
}

int UniformRowListWidget::rowHeight() const
{
    if (rowHeight_ > 0)
        return rowHeight_;
    if (model()->rowCount(rootIndex()) > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = model()->index(0, modelColumn(), rootIndex());
        const QAbstractItemDelegate* delegate = itemDelegateForIndex(first);
        const int height = delegate ? delegate->sizeHint(option, first).height() : 0;
        if (height > 0) {
            rowHeight_ = height;
            return rowHeight_;
        }
    }
    return qMax(1, fontMetrics().height()); // nothing to show yet
}

int UniformRowListWidget::topRow() const
{
    return verticalScrollBar()->value();
}

int UniformRowListWidget::visibleRows() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

int UniformRowListWidget::rowAt(int y) const
{
    const int contentY = y + verticalOffset();
    const int h = rowHeight();
    return contentY >= 0 ? contentY / h : (contentY - h + 1) / h;
}

QRect UniformRowListWidget::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != modelColumn())
        return QRect();
    const int h = rowHeight();
    return QRect(0, index.row() * h - verticalOffset(), viewport()->width(), h);
}

QModelIndex UniformRowListWidget::indexAt(const QPoint& point) const
{
    const int row = rowAt(point.y());
    if (row < 0 || row >= model()->rowCount(rootIndex()) || point.x() < 0 || point.x() >= viewport()->width())
        return QModelIndex();
    return model()->index(row, modelColumn(), rootIndex());
}

void UniformRowListWidget::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.parent() != rootIndex())
        return;
    const int row = index.row();
    const int shown = visibleRows();
    int top = topRow();
    switch (hint) {
    case EnsureVisible:
        if (row < top)
            top = row;
        else if (row >= top + shown)
            top = row - shown + 1;
        break;
    case PositionAtTop:
        top = row;
        break;
    case PositionAtBottom:
        top = row - shown + 1;
        break;
    case PositionAtCenter:
        top = row - shown / 2;
        break;
    }
    verticalScrollBar()->setValue(top);
    viewport()->update(visualRect(index));
}

void UniformRowListWidget::scrollToItem(const QListWidgetItem* item, ScrollHint hint)
{
    scrollTo(indexFromItem(item), hint);
}

void UniformRowListWidget::doItemsLayout()
{
    // Nothing to lay out: a row's place follows from its index.
    QAbstractItemView::doItemsLayout(); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::paintEvent(QPaintEvent* event)
{
    const int rows = model()->rowCount(rootIndex());
    if (rows == 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());

    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QStyle::State state = option.state;
    const bool enabled = state & QStyle::State_Enabled;
    const QRect area = event->rect();
    const int first = qBound(0, rowAt(area.top()), rows - 1);
    const int last = qBound(0, rowAt(area.bottom()), rows - 1);
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
        option.rect = visualRect(index);
        option.state = state;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = model()->flags(index) & Qt::ItemIsEnabled;
            if (!itemEnabled)
                option.state &= ~QStyle::State_Enabled;
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && current == index) {
            option.state |= QStyle::State_HasFocus;
            if (this->state() == EditingState)
                option.state |= QStyle::State_Editing;
        }
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void UniformRowListWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractItemView::resizeEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        rowHeight_ = -1;
    QListWidget::changeEvent(event);
}

void UniformRowListWidget::scrollContentsBy(int dx, int dy)
{
    // The scroll bar counts rows.
    QAbstractItemView::scrollContentsBy(dx, dy * rowHeight()); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::showEvent(QShowEvent* event)
{
    if (geometriesPending_)
        updateGeometries();
    QListWidget::showEvent(event);
}

void UniformRowListWidget::updateGeometries()
{
    // Rows added and removed before the list is first shown are never
    // measured: the scroll ranges are worked out once, when it is shown.
    geometriesPending_ = !isVisible();
    if (geometriesPending_)
        return;
    const int shown = visibleRows();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setSingleStep(1);
    vertical->setPageStep(shown);
    vertical->setRange(0, qMax(0, model()->rowCount(rootIndex()) - shown));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries(); // NOLINT(bugprone-parent-virtual-call)
}

QSize UniformRowListWidget::viewportSizeHint() const
{
    return QSize(0, model()->rowCount(rootIndex()) * rowHeight());
}

int UniformRowListWidget::horizontalOffset() const
{
    return 0;
}

int UniformRowListWidget::verticalOffset() const
{
    return topRow() * rowHeight();
}

bool UniformRowListWidget::isIndexHidden(const QModelIndex&) const
{
    return false;
}

QModelIndex UniformRowListWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int rows = model()->rowCount(rootIndex());
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, modelColumn(), rootIndex());
    int row = current.row();
    // A page keeps one row of the last page in view, as QListView does.
    const int page = qMax(1, visibleRows() - 1);
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return model()->index(qBound(0, row, rows - 1), modelColumn(), rootIndex());
}

void UniformRowListWidget::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const int rows = model()->rowCount(rootIndex());
    const QRect r = rect.normalized();
    const int top = qMax(0, rowAt(r.top()));
    const int bottom = qMin(rows - 1, rowAt(r.bottom()));
    QItemSelection selection;
    if (top <= bottom && r.right() >= 0 && r.left() < viewport()->width())
        selection.select(model()->index(top, modelColumn(), rootIndex()),
                         model()->index(bottom, modelColumn(), rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion UniformRowListWidget::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const QRect shown = viewport()->rect();
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn() || range.right() < modelColumn())
            continue;
        const QRect top = visualRect(model()->index(range.top(), modelColumn(), rootIndex()));
        const QRect bottom = visualRect(model()->index(range.bottom(), modelColumn(), rootIndex()));
        region += top.united(bottom).intersected(shown);
    }
    return region;
}

void UniformRowListWidget::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end); // NOLINT(bugprone-parent-virtual-call)
    updateGeometries();
    viewport()->update();
}

void UniformRowListWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // The scroll range follows once the rows are gone (rowsRemoved).
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::reset()
{
    rowHeight_ = -1;
    QAbstractItemView::reset(); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace veltrasa
