#pragma once
#include <QWidget>

#include "output/CodeSummary.h"

namespace veltrasa {

// The code summary's timeline on the screen, drawn by the same code as on
// the printed sheet.
class TimelineWidget final : public QWidget {
    Q_OBJECT
public:
    TimelineWidget(const CodeSummary& summary, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CodeSummary& summary_;
};

} // namespace veltrasa
