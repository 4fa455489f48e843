#pragma once
// The main window over scripted services: the fixture of the widget tests.

#include <QStringList>
#include <memory>

#include "Scripted.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/FrmMain.h"

namespace veltrasa::testing {

struct ScriptedMainWindow {
    ScriptedMainWindow() : window(services.platform()) {}
    // With the clock at `start` when the window is created.
    explicit ScriptedMainWindow(const QDateTime& start) : window((services.clock.set(start), services.platform())) {}

    ScriptedPlatform services;
    FrmMain window;

    // Puts a count of its runs in place of the exit sequence.
    std::shared_ptr<int> countExitSequences()
    {
        auto runs = std::make_shared<int>(0);
        window.setExitSequence([runs] { ++*runs; });
        return runs;
    }

    // TimerN, ticked by hand.
    ManualTimer& timer(int number) { return static_cast<ManualTimer&>(window.timer(number)); }
    // Seconds pass: the clock moves on and the running timers tick.
    void pass(int seconds) { services.pass(seconds); }
    // The record list's rows, top to bottom.
    QStringList rows() const { return rowsOf(*window.recordList()); }

    // The record list's row at `rect` shows from its start, its whole height
    // inside the list; a row wider than the list runs on past the list's
    // right edge, clipped there.
    static bool rowShows(const RecordListWidget& list, const QRect& rect)
    {
        return rect.isValid() && rect.left() == 0 && rect.top() >= 0 &&
               rect.bottom() <= list.viewport()->rect().bottom();
    }

    static QStringList rowsOf(const RecordList& list)
    {
        QStringList result;
        for (int i = 0; i < list.count(); ++i)
            result << list.rowText(i);
        return result;
    }
};

} // namespace veltrasa::testing
