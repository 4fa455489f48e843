#include "ui/windows/SummaryWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "common/Texts.h"
#include "ui/layout/SummaryWindowLayout.h"
#include "ui/look/Fonts.h"
#include "ui/placement/OwnerCentring.h"
#include "ui/widgets/TimelineWidget.h"

namespace veltrasa {

SummaryWindow::SummaryWindow(const RecordList& list, QWidget* owner, const layout::Scale& scale)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      summary_(summariseRecord(list))
{
    namespace L = layout::summary;
    setObjectName(QStringLiteral("frmSummary"));
    setWindowTitle(QString::fromUtf16(L::kCaption));
    setModal(true);
    setSizeGripEnabled(false);
    setFixedSize(scale.fromTwips(L::kClientWidth), scale.fromTwips(L::kClientHeight));
    setCursor(Qt::ArrowCursor);
    setFont(makeFont(L::kFont, scale));
    const SummaryText text = describeSummary(summary_);

    auto* outer = new QVBoxLayout(this);
    const int margin = scale.fromPixels(L::kMargin);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(scale.fromPixels(L::kSpacing));

    // The key figures on the left, the counts and the rows' figures on the
    // right.
    auto* figures = new QHBoxLayout;
    auto* keys = new QGridLayout;
    auto* counts = new QGridLayout;
    for (QGridLayout* grid : {keys, counts})
        grid->setHorizontalSpacing(2 * margin);
    addFigures(*keys, text, 0, SummaryText::kKeyFigures);
    addFigures(*counts, text, SummaryText::kKeyFigures, text.figures.size());
    figures->addLayout(keys, 1);
    figures->addLayout(counts, 1);
    outer->addLayout(figures);

    auto* lists = new QHBoxLayout;
    // The rhythm checks' lines and the rows not counted are the widest.
    const std::array<int, 3> stretch = {2, 3, 3};
    for (std::size_t i = 0; i < text.lists.size(); ++i) {
        const SummaryList& l = text.lists[i];
        auto* column = new QVBoxLayout;
        auto* heading = new QLabel(l.label, this);
        auto* box = new QListWidget(this);
        box->setUniformItemSizes(true);
        box->setSelectionMode(QAbstractItemView::NoSelection);
        box->addItems(l.lines);
        box->setAccessibleName(l.label);
        heading->setBuddy(box);
        column->addWidget(heading);
        column->addWidget(box, 1);
        lists->addLayout(column, stretch[i]);
    }
    outer->addLayout(lists, 2);
    outer->addWidget(new TimelineWidget(summary_, this), 3);

    close_ = new QPushButton(QString::fromUtf16(L::kCloseCaption), this);
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    buttons->addStretch();
    outer->addLayout(buttons);
}

void SummaryWindow::addFigures(QGridLayout& grid, const SummaryText& text, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i) {
        const SummaryFigure& f = text.figures[i];
        auto* caption = new QLabel(f.label, this);
        auto* value = new QLabel(f.value, this);
        // Read alone, the value still says what it is.
        value->setObjectName(f.label);
        value->setAccessibleName(f.label + QString::fromUtf16(texts::kIdeographicSpace) + f.value);
        const int row = int(i - from);
        grid.addWidget(caption, row, 0);
        grid.addWidget(value, row, 1);
    }
    grid.setColumnStretch(1, 1);
}

QLabel* SummaryWindow::figure(const QString& label) const
{
    return findChild<QLabel*>(label, Qt::FindDirectChildrenOnly);
}

void SummaryWindow::setVisible(bool visible)
{
    if (visible && isHidden())
        centreOnOwner(*this);
    QDialog::setVisible(visible);
}

} // namespace veltrasa
