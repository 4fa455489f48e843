// One press of an event button with a record of 10, 1,000 and 10,000 rows:
// the button's click, onEventPressed with its counter changes, the row's
// append and selection. "PressAndPaint" also delivers what the press leaves
// pending (list layout, repaint of the window), as a user would see it.
// "ClickToPixels" is the wall time from the click until the list has painted
// the new row and its window has been flushed, waiting as the program's
// event loop would for the window's next update.
#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "Scripted.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;

namespace {
constexpr int kEpinephrine = 5;

struct Window {
    explicit Window(int rows) : w(p.platform())
    {
        w.show();
        for (int i = 0; i < rows; ++i)
            w.recordList()->addRow(QStringLiteral("06/04 09:%1:%2　ﾘｽﾞﾑﾁｪｯｸ：心室細動")
                                       .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                                       .arg(i % 60, 2, 10, QLatin1Char('0')));
        w.recordList()->select(rows - 1);
        QApplication::processEvents();
    }
    // Takes the row a press added away again, outside the timed part.
    void removeNewestRow()
    {
        w.recordList()->removeRow(w.recordList()->count() - 1);
        QApplication::processEvents();
    }
    testing::ScriptedPlatform p;
    MainWindow w;
};

// Watches the list's viewport for a paint that covers a given row.
class RowPaintWatch final : public QObject {
public:
    explicit RowPaintWatch(QListWidget* list) : list_(list) { list_->viewport()->installEventFilter(this); }
    void expect(int row)
    {
        row_ = row;
        painted_ = false;
    }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && row_ >= 0 && row_ < list_->count()) {
            const QRect shown = list_->visualItemRect(list_->item(row_)) & list_->viewport()->rect();
            painted_ = painted_ || (!shown.isEmpty() &&
                                    QRegion(shown).subtracted(static_cast<QPaintEvent*>(event)->region()).isEmpty());
        }
        return false;
    }

private:
    QListWidget* list_;
    int row_ = -1;
    bool painted_ = false;
};

// Delivers events until nothing has been pending for a while, so that no
// update requested before an iteration is flushed inside it.
void settle()
{
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 30)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Press(benchmark::State& state)
{
    Window win(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        win.w.eventButton(kEpinephrine)->click();
        state.PauseTiming();
        win.removeNewestRow();
        state.ResumeTiming();
    }
}

void PressAndPaint(benchmark::State& state)
{
    Window win(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        win.w.eventButton(kEpinephrine)->click();
        QApplication::processEvents();
        state.PauseTiming();
        win.removeNewestRow();
        state.ResumeTiming();
    }
}

void ClickToPixels(benchmark::State& state)
{
    Window win(static_cast<int>(state.range(0)));
    RowPaintWatch watch(win.w.recordList());
    QTimer wake; // so that a row never painted ends the wait below
    wake.start(100);
    settle();
    for (auto _ : state) {
        watch.expect(win.w.recordList()->count());
        QElapsedTimer waited;
        waited.start();
        win.w.eventButton(kEpinephrine)->click();
        while (!watch.painted() && waited.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.PauseTiming();
        if (!watch.painted()) {
            state.SkipWithError("the new row was not painted within a second");
            break;
        }
        win.removeNewestRow();
        settle();
        state.ResumeTiming();
    }
}

BENCHMARK(Press)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PressAndPaint)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ClickToPixels)->Arg(10)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
} // namespace
