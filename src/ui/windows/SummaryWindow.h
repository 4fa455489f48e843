#pragma once
#include <QDialog>

#include "output/CodeSummary.h"
#include "ui/layout/Scale.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace veltrasa {

class RecordList;

// The summary window 振り返り: the code summary of the record list's rows
// as they stand, in figures, lists and the timeline. Created afresh for
// each opening, shown modally over the main window at its scale; it reads
// the record and changes nothing in it.
class SummaryWindow final : public QDialog {
    Q_OBJECT
public:
    SummaryWindow(const RecordList& list, QWidget* owner, const layout::Scale& scale = layout::Scale());

    const CodeSummary& summary() const { return summary_; }
    // The label that shows the figure of that label text; nullptr if none.
    QLabel* figure(const QString& label) const;
    QPushButton* closeButton() const { return close_; }

    void setVisible(bool visible) override;

private:
    void addFigures(QGridLayout& grid, const SummaryText& text, std::size_t from, std::size_t to);

    CodeSummary summary_;
    QPushButton* close_ = nullptr;
};

} // namespace veltrasa
