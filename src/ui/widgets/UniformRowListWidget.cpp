#include "ui/widgets/UniformRowListWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

// The overrides below call QAbstractItemView directly, skipping QListView:
// its versions lay out every row again, which is what this class replaces.

namespace veltrasa {

UniformRowListWidget::UniformRowListWidget(QWidget* parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    setWrapping(false);
    setFlow(TopToBottom);
    setDragEnabled(false);
    // Reorderings keep the set of rows; removals have happened only now.
    const auto refresh = [this] {
        invalidateSizes();
        updateGeometries();
        viewport()->update();
    };
    connect(model(), &QAbstractItemModel::layoutChanged, this, refresh);
    connect(model(), &QAbstractItemModel::rowsMoved, this, refresh);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& parent, int first, int last) {
        if (keepsWidths() && parent == rootIndex()) {
            if (static_cast<int>(widths_.size()) == model()->rowCount(rootIndex()) + (last - first + 1)) {
                const auto from = widths_.begin() + first;
                const auto to = widths_.begin() + last + 1;
                if (std::find(from, to, widest_) != to)
                    widest_ = -1; // the widest row went: look again
                widths_.erase(from, to);
            } else {
                widthsValid_ = false;
            }
        }
        updateGeometries();
        viewport()->update();
    });
}

int UniformRowListWidget::measureRow(int row, QSize* size) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
    const QAbstractItemDelegate* delegate = itemDelegateForIndex(index);
    *size = delegate ? delegate->sizeHint(option, index) : QSize();
    return size->width();
}

int UniformRowListWidget::rowHeight() const
{
    if (rowHeight_ > 0)
        return rowHeight_;
    if (model()->rowCount(rootIndex()) > 0) {
        QSize size;
        measureRow(0, &size);
        if (size.height() > 0) {
            rowHeight_ = size.height();
            return rowHeight_;
        }
    }
    return qMax(1, fontMetrics().height()); // nothing to show yet
}

int UniformRowListWidget::contentWidth() const
{
    if (clipsRows())
        return 0;
    if (!widthsValid_) {
        const int rows = model()->rowCount(rootIndex());
        widths_.clear();
        widths_.reserve(static_cast<std::size_t>(rows));
        QSize size;
        for (int row = 0; row < rows; ++row)
            widths_.push_back(measureRow(row, &size));
        widthsValid_ = true;
        widest_ = -1;
    }
    if (widest_ < 0)
        widest_ = widths_.empty() ? 0 : *std::max_element(widths_.begin(), widths_.end());
    return widest_;
}

bool UniformRowListWidget::clipsRows() const
{
    return horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff;
}

bool UniformRowListWidget::keepsWidths() const
{
    if (clipsRows())
        widthsValid_ = false; // measured again should the rows stop being clipped
    return widthsValid_;
}

void UniformRowListWidget::invalidateSizes()
{
    rowHeight_ = -1;
    widthsValid_ = false;
    widest_ = -1;
}

int UniformRowListWidget::visibleRows() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

bool UniformRowListWidget::perItem() const
{
    return verticalScrollMode() == ScrollPerItem;
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
    return QRect(-horizontalOffset(), index.row() * h - verticalOffset(), qMax(viewport()->width(), contentWidth()), h);
}

QModelIndex UniformRowListWidget::indexAt(const QPoint& point) const
{
    const int row = rowAt(point.y());
    const int x = point.x() + horizontalOffset();
    if (row < 0 || row >= model()->rowCount(rootIndex()) || x < 0 || x >= qMax(viewport()->width(), contentWidth()))
        return QModelIndex();
    return model()->index(row, modelColumn(), rootIndex());
}

void UniformRowListWidget::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.parent() != rootIndex())
        return;
    const int row = index.row();
    const int h = rowHeight();
    QScrollBar* bar = verticalScrollBar();
    if (perItem()) {
        const int shown = visibleRows();
        int value = bar->value();
        switch (hint) {
        case EnsureVisible:
            if (row < value)
                value = row;
            else if (row >= value + shown)
                value = row - shown + 1;
            break;
        case PositionAtTop:
            value = row;
            break;
        case PositionAtBottom:
            value = row - shown + 1;
            break;
        case PositionAtCenter:
            value = row - shown / 2;
            break;
        }
        bar->setValue(value);
    } else {
        const int top = row * h;
        const int height = viewport()->height();
        int value = bar->value();
        switch (hint) {
        case EnsureVisible:
            if (top < value)
                value = top;
            else if (top + h > value + height)
                value = top + h - height;
            break;
        case PositionAtTop:
            value = top;
            break;
        case PositionAtBottom:
            value = top + h - height;
            break;
        case PositionAtCenter:
            value = top + h / 2 - height / 2;
            break;
        }
        bar->setValue(value);
    }
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
        invalidateSizes();
    QListWidget::changeEvent(event);
}

void UniformRowListWidget::scrollContentsBy(int dx, int dy)
{
    QAbstractItemView::scrollContentsBy(dx, perItem() ? dy * rowHeight() : dy); // NOLINT(bugprone-parent-virtual-call)
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
    const int rows = model()->rowCount(rootIndex());
    const int h = rowHeight();
    QScrollBar* vertical = verticalScrollBar();
    if (perItem()) {
        const int shown = visibleRows();
        vertical->setSingleStep(1);
        vertical->setPageStep(shown);
        vertical->setRange(0, qMax(0, rows - shown));
    } else {
        vertical->setSingleStep(h);
        vertical->setPageStep(viewport()->height());
        vertical->setRange(0, qMax(0, rows * h - viewport()->height()));
    }
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setSingleStep(h);
    horizontal->setPageStep(viewport()->width());
    horizontal->setRange(0, qMax(0, contentWidth() - viewport()->width()));
    QAbstractItemView::updateGeometries(); // NOLINT(bugprone-parent-virtual-call)
}

QSize UniformRowListWidget::viewportSizeHint() const
{
    return QSize(contentWidth(), model()->rowCount(rootIndex()) * rowHeight());
}

int UniformRowListWidget::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int UniformRowListWidget::verticalOffset() const
{
    const int value = verticalScrollBar()->value();
    return perItem() ? value * rowHeight() : value;
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
    const int left = r.left() + horizontalOffset();
    const int right = r.right() + horizontalOffset();
    QItemSelection selection;
    if (top <= bottom && right >= 0 && left < qMax(viewport()->width(), contentWidth()))
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
    if (keepsWidths() && parent == rootIndex()) {
        if (static_cast<int>(widths_.size()) + (end - start + 1) == model()->rowCount(rootIndex())) {
            QSize size;
            for (int row = start; row <= end; ++row) {
                const int width = measureRow(row, &size);
                widths_.insert(widths_.begin() + row, width);
                if (widest_ >= 0)
                    widest_ = qMax(widest_, width);
            }
        } else {
            widthsValid_ = false;
        }
    }
    QAbstractItemView::rowsInserted(parent, start, end); // NOLINT(bugprone-parent-virtual-call)
    updateGeometries();
    viewport()->update();
}

void UniformRowListWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // The widths follow once the rows are gone (rowsRemoved): until then
    // the list still has them.
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end); // NOLINT(bugprone-parent-virtual-call)
}

void UniformRowListWidget::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles)
{
    if (keepsWidths() && topLeft.parent() == rootIndex() &&
        static_cast<int>(widths_.size()) == model()->rowCount(rootIndex())) {
        QSize size;
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
            widths_[static_cast<std::size_t>(row)] = measureRow(row, &size);
        widest_ = -1;
    }
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles); // NOLINT(bugprone-parent-virtual-call)
    updateGeometries();
}

void UniformRowListWidget::reset()
{
    invalidateSizes();
    QAbstractItemView::reset(); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace veltrasa
