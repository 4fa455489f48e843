#pragma once
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "controls/Visibility.h"
#include "counters/ClockDisplay.h"
#include "counters/CounterTable.h"
#include "counters/DigitCounter.h"
#include "editing/RecordEditing.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "record/EventButtons.h"
#include "record/EventCatalogue.h"
#include "record/RecordState.h"
#include "record/RecordWriter.h"
#include "record/RhythmButtons.h"
#include "record/StartUp.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/Scale.h"

namespace veltrasa {

class EventButtonWidget;
class EditWindow;
class LabelWidget;
class RhythmButtonWidget;
class PopupMenu;
class PicturePanelWidget;
class RecordOutput;
class RecordListWidget;
class ShapeWidget;
class Timer;

// The main window. It owns the controls, the record state, the counters,
// the clock and the handlers, and binds the controls' notifications to them.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Labels and shapes by key; a key names a row of the layout tables, and
    // the window makes one control of each row.
    LabelWidget& label(layout::LabelKey key) const { return *labelWidgets_[key.row()]; }
    ShapeWidget& shape(layout::ShapeKey key) const { return *shapeWidgets_[key.row()]; }
    // Labels and shapes by form name and index (-1 for a single control);
    // nullptr if absent.
    LabelWidget* findLabel(const QString& name, int index = -1) const;
    ShapeWidget* findShape(const QString& name, int index = -1) const;
    PicturePanelWidget* picturePanel(int number) const;
    EventButtonWidget* eventButton(int index) const { return eventButtonWidgets_[static_cast<std::size_t>(index)]; }
    RhythmButtonWidget* rhythmButton(int index) const { return rhythmButtonWidgets_[static_cast<std::size_t>(index)]; }
    RecordListWidget* recordList() const { return recordList_; }
    Timer& timer(int number) const { return *timers_[static_cast<std::size_t>(number - 1)]; }

    DigitCounter& counter(CounterId id) { return *counters_[static_cast<std::size_t>(id)]; }
    EventButtons& eventButtons() { return *eventButtons_; }
    RecordEditing& editing() { return *editing_; }
    PopupMenu* popup() const { return popup_; }
    // How the edit window is run once created; by default modally until it
    // closes. Tests drive it in its place.
    void setEditWindowRunner(std::function<void(EditWindow&)> runner) { editWindowRunner_ = std::move(runner); }

    // Shows the window at `scale` of its layout: places, sizes, fonts,
    // pictures and borders, and those of the edit window and the popup menu.
    void setScale(const layout::Scale& scale);
    const layout::Scale& scale() const { return scale_; }

    // The record's outputs; nullptr when the platform offers none.
    RecordOutput* output() const { return output_.get(); }

    // The question-and-export step of shut-down (by default the record
    // output's exit sequence).
    void setExitSequence(std::function<void()> exitSequence) { exitSequence_ = std::move(exitSequence); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls, bottom to top, in their focus order; places and fonts
    // follow (placeControls).
    void buildControls();
    void buildShapesAndLabels();
    void buildButtons(std::map<int, QWidget*>& focusOrder);
    void buildRecordList(std::map<int, QWidget*>& focusOrder);
    void placeControls(); // at the window's scale
    void buildCounters(); // the timers, the five counters and the clock
    void buildLogic();    // the handlers of the buttons, and the outputs
    void buildEditing();
    // The desktop session's end ends the record as closing the window does.
    void endWithTheSession();
    void openEditWindow();
    void openSummaryWindow();
    std::array<Timer*, kTimerCount> timerArray() const;
    // Shape2, Label5 and Label2: the box of reversible causes.
    std::array<Visibility*, 3> reversibleCausesPanel() const;

    Platform platform_;
    layout::Scale scale_;
    // By row of the layout tables.
    std::array<LabelWidget*, layout::kLabels.size()> labelWidgets_{};
    std::array<ShapeWidget*, layout::kShapes.size()> shapeWidgets_{};
    std::array<PicturePanelWidget*, layout::kPicturePanels.size()> picturePanelWidgets_{};
    std::array<EventButtonWidget*, kEventButtonCount> eventButtonWidgets_{};
    std::array<RhythmButtonWidget*, kRhythmButtonCount> rhythmButtonWidgets_{};
    RecordListWidget* recordList_ = nullptr;
    std::array<std::unique_ptr<Timer>, kTimerCount> timers_;

    RecordState state_;
    std::unique_ptr<RecordWriter> writer_;
    std::array<std::unique_ptr<DigitCounter>, kCounterCount> counters_;
    std::unique_ptr<ClockDisplay> clock_;
    std::unique_ptr<EventButtons> eventButtons_;
    std::unique_ptr<RhythmButtons> rhythmButtons_;
    std::unique_ptr<RecordOutput> output_;
    std::function<void()> exitSequence_;
    PopupMenu* popup_ = nullptr;
    std::unique_ptr<RecordEditing> editing_;
    std::function<void(EditWindow&)> editWindowRunner_;
    bool unloading_ = false;
};

} // namespace veltrasa
