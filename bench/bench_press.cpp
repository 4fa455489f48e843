// One press of an event button with a record of 10, 1,000 and 10,000 rows:
// the button's click, onEventPressed with its counter changes, the row's
// append and selection. "PressAndPaint" also delivers what the press leaves
// pending (list layout, repaint of the window), as a user would see it.
#include <QApplication>
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
#include "ui/windows/FrmMain.h"

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
    FrmMain w;
};

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

BENCHMARK(Press)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PressAndPaint)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
} // namespace
