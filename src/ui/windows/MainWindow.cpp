#include "ui/windows/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QSessionManager>
#include <map>

#include "common/Texts.h"
#include "controls/EventButton.h"
#include "controls/Label.h"
#include "controls/RhythmButton.h"
#include "controls/Visibility.h"
#include "desktop/WindowingPlatform.h"
#include "editing/RecordEditing.h"
#include "output/RecordOutput.h"
#include "platform/DisplayKeeper.h"
#include "platform/Timer.h"
#include "platform/TimerFactory.h"
#include "record/ShutDown.h"
#include "ui/look/ArrowPointer.h"
#include "ui/look/Fonts.h"
#include "ui/look/Palette.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/EditWindow.h"
#include "ui/windows/PopupMenu.h"
#include "ui/windows/SummaryWindow.h"

namespace veltrasa {

MainWindow::MainWindow(const Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf16(texts::kMainWindowCaption));
    // Minimise only: a stray click on a close box must not end a record.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    // Natively on Wayland, Qt 6.4 draws the title bar itself, with a maximise
    // button whatever the flags ask; maximising a window of fixed size breaks
    // the program's connection to the compositor (weston) and ends it. The
    // window goes without: the compositor places it, CPR終了 ends the record.
    // (Qt drops the hint from flags that ask for a minimise button.)
    if (onNativeWayland())
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setColours(*this, {{QPalette::Window, layout::kWindowBackground}});
    setAutoFillBackground(true);
    // data/veltrasa.svg, built into the program; Qt's SVG icon engine
    // (libqt6svg6) draws it at each size the desktop asks for.
    setWindowIcon(QIcon(QStringLiteral(":/veltrasa.svg")));
    // The large arrow over the background, labels, panels and pictures;
    // buttons and the list keep the standard arrow (set as they are built).
    setCursor(images::arrowPointer());

    buildControls();
    buildCounters();
    buildLogic();
    buildEditing();
    placeControls();

    Form_Load({*clock_, *recordList_, state_, reversibleCausesPanel(), [this] { editing_->clearUndoBuffer(); },
               timerArray()});
    // The screen stays lit from here until the shut-down has finished.
    if (platform_.display)
        platform_.display->keepAwake();
    endWithTheSession();
}

void MainWindow::endWithTheSession()
{
#if QT_CONFIG(sessionmanager)
    // The desktop session is ending: end the record as closing the window
    // does, while questions may still be asked.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (manager.allowsInteraction()) {
                close();
                manager.release();
            }
        });
#endif
}

MainWindow::~MainWindow()
{
    if (platform_.display)
        platform_.display->release();
}

namespace {
// The row of a table of controls with that form name and index, or the
// table's size.
template <typename Table> std::size_t rowOf(const Table& table, const QString& name, int index)
{
    std::size_t row = 0;
    while (row < table.size() && !(table[row].index == index && name == QLatin1String(table[row].name)))
        ++row;
    return row;
}

// Object names keep the form's names; a control array's element carries
// its index: "Check1_5".
QString elementName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}
} // namespace

LabelWidget* MainWindow::findLabel(const QString& name, int index) const
{
    const std::size_t row = rowOf(layout::kLabels, name, index);
    return row < labelWidgets_.size() ? labelWidgets_[row] : nullptr;
}

ShapeWidget* MainWindow::findShape(const QString& name, int index) const
{
    const std::size_t row = rowOf(layout::kShapes, name, index);
    return row < shapeWidgets_.size() ? shapeWidgets_[row] : nullptr;
}

PicturePanelWidget* MainWindow::picturePanel(int number) const
{
    for (std::size_t row = 0; row < layout::kPicturePanels.size(); ++row) {
        if (layout::kPicturePanels[row].number == number)
            return picturePanelWidgets_[row];
    }
    return nullptr;
}

void MainWindow::buildControls()
{
    std::map<int, QWidget*> focusOrder;
    buildShapesAndLabels();
    buildButtons(focusOrder);
    buildRecordList(focusOrder);
    chainFocus(focusOrder);
    if (!focusOrder.empty())
        focusOrder.begin()->second->setFocus(Qt::OtherFocusReason);
}

void MainWindow::buildShapesAndLabels()
{
    for (std::size_t row = 0; row < layout::kShapes.size(); ++row) {
        const auto& s = layout::kShapes[row];
        auto* w = new ShapeWidget(this, layout::kShapeFill, s.border);
        w->setObjectName(QString::fromLatin1(s.name));
        shapeWidgets_[row] = w;
    }
    for (std::size_t row = 0; row < layout::kLabels.size(); ++row) {
        const auto& s = layout::kLabels[row];
        auto* w = new LabelWidget(this);
        w->setObjectName(QString::fromLatin1(s.name));
        w->setFaceMetrics(originalFaceMetrics(QString::fromUtf16(s.font.family)));
        w->setAlignment((s.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        w->setColour(s.colour);
        w->setText(QString::fromUtf16(s.text));
        labelWidgets_[row] = w;
    }
}

void MainWindow::buildButtons(std::map<int, QWidget*>& focusOrder)
{
    for (std::size_t row = 0; row < layout::kPicturePanels.size(); ++row) {
        const auto& s = layout::kPicturePanels[row];
        auto* w = new PicturePanelWidget(this, QString::fromUtf16(s.lettering));
        w->setObjectName(QStringLiteral("Command%1").arg(s.number));
        picturePanelWidgets_[row] = w;
        focusOrder[s.focusOrder] = w;
    }
    for (const auto& s : layout::kEventButtons) {
        const auto& entry = eventCatalogue()[static_cast<std::size_t>(s.index)];
        auto* w = new EventButtonWidget(this, QString::fromUtf16(entry.caption));
        w->setObjectName(elementName("Check1", s.index));
        setColours(*w, {{QPalette::Button, s.background}, {QPalette::ButtonText, layout::kEventButtonText}});
        eventButtonWidgets_[static_cast<std::size_t>(s.index)] = w;
        focusOrder[s.focusOrder] = w;
    }
    for (const auto& s : layout::kRhythmButtons) {
        const auto& entry = rhythmCatalogue()[static_cast<std::size_t>(s.index)];
        auto* w = new RhythmButtonWidget(this, QString::fromUtf16(entry.caption));
        w->setObjectName(elementName("Option1", s.index));
        setColours(*w, {{QPalette::ButtonText, layout::kRhythmButtonText}});
        w->setBackground(layout::kRhythmButtonBackground);
        rhythmButtonWidgets_[static_cast<std::size_t>(s.index)] = w;
        focusOrder[s.focusOrder] = w;
    }
}

void MainWindow::buildRecordList(std::map<int, QWidget*>& focusOrder)
{
    const auto& ls = layout::kRecordList;
    recordList_ = new RecordListWidget(this);
    recordList_->setObjectName(QStringLiteral("List1"));
    // The scroll bar is drawn in the list's colours too.
    setColours(*recordList_, {{QPalette::Base, ls.background},
                              {QPalette::Button, ls.background},
                              {QPalette::Text, ls.text},
                              {QPalette::ButtonText, ls.text}});
    recordList_->addRow(QString::fromUtf16(ls.sampleRow));
    focusOrder[ls.focusOrder] = recordList_;
}

void MainWindow::setScale(const layout::Scale& scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    placeControls();
}

void MainWindow::placeControls()
{
    const layout::Scale& k = scale_;
    setFixedSize(k.fromTwips(layout::kClientWidth), k.fromTwips(layout::kClientHeight));
    for (std::size_t row = 0; row < layout::kShapes.size(); ++row) {
        const auto& s = layout::kShapes[row];
        shapeWidgets_[row]->setGeometry(k.rect(s.left, s.top, s.width, s.height));
    }
    for (std::size_t row = 0; row < layout::kLabels.size(); ++row) {
        const auto& s = layout::kLabels[row];
        LabelWidget* w = labelWidgets_[row];
        const QRect r = k.rect(s.left, s.top, s.width, s.height);
        // A fixed size spares the window a layout request on every new text.
        w->setFixedSize(r.size());
        w->move(r.topLeft());
        w->setFont(makeFont(s.font, k));
    }
    const QFont buttonFont = makeFont(layout::kEventButtonFont, k);
    for (std::size_t row = 0; row < layout::kPicturePanels.size(); ++row) {
        const auto& s = layout::kPicturePanels[row];
        PicturePanelWidget* w = picturePanelWidgets_[row];
        w->setGeometry(k.rect(s.left, s.top, layout::kEventButtonWidth, layout::kPicturePanelHeight));
        w->setFont(buttonFont);
        w->setScale(k);
    }
    for (const auto& s : layout::kEventButtons) {
        EventButtonWidget* w = eventButton(s.index);
        w->setGeometry(k.rect(s.left, s.top, layout::kEventButtonWidth, layout::kEventButtonHeight));
        w->setFont(buttonFont);
        w->setScale(k);
    }
    const QFont rhythmFont = makeFont(layout::kRhythmButtonFont, k);
    for (const auto& s : layout::kRhythmButtons) {
        RhythmButtonWidget* w = rhythmButton(s.index);
        w->setGeometry(
            k.rect(s.left, layout::kRhythmButtonTop, layout::kRhythmButtonWidth, layout::kRhythmButtonHeight));
        w->setFont(rhythmFont);
        w->setScale(k);
    }
    const auto& ls = layout::kRecordList;
    recordList_->setGeometry(k.rect(ls.left, ls.top, ls.width, ls.height));
    recordList_->setFont(makeFont(ls.font, k));
    // The menu keeps the platform's font, at the window's scale.
    popup_->setFont(k == layout::Scale() ? QFont() : scaledFont(QApplication::font(popup_), k));
}

std::array<Visibility*, 3> MainWindow::reversibleCausesPanel() const
{
    using namespace layout::keys;
    return {&shape(kReversibleCausesBox), &label(kReversibleCausesHeading), &label(kReversibleCausesList)};
}

std::array<Timer*, kTimerCount> MainWindow::timerArray() const
{
    std::array<Timer*, kTimerCount> result{};
    for (std::size_t i = 0; i < timers_.size(); ++i)
        result[i] = timers_[i].get();
    return result;
}

void MainWindow::buildCounters()
{
    for (auto& t : timers_)
        t = platform_.timers->createTimer();

    using namespace layout::keys;
    for (const auto& entry : counterTable()) {
        const auto id = static_cast<std::size_t>(entry.id);
        const CounterLabels& labels = kCounterLabels[id];
        std::array<Label*, 4> digits{};
        for (std::size_t p = 0; p < digits.size(); ++p)
            digits[p] = &label(labels.digits[p]);
        counters_[id] = std::make_unique<DigitCounter>(timer(entry.timerNumber), *platform_.clock, digits,
                                                       label(labels.separator), entry.params);
    }

    std::array<Label*, 4> clockDigits{};
    for (std::size_t p = 0; p < clockDigits.size(); ++p)
        clockDigits[p] = &label(kClockDigits[p]);
    clock_ = std::make_unique<ClockDisplay>(*platform_.clock, clockDigits, label(kClockSeparator), label(kDateLabel),
                                            label(kArrivalSeparator));
    timer(1).setHandler([this] { clock_->clockTick(); });
}

void MainWindow::buildLogic()
{
    writer_ = std::make_unique<RecordWriter>(*recordList_, *platform_.clock);
    std::array<EventButton*, kEventButtonCount> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i] = eventButtonWidgets_[i];
    // Each counter and its heading, which a press titles.
    std::array<DigitCounter*, kCounterCount> counters{};
    std::array<Label*, kCounterCount> titles{};
    for (std::size_t i = 0; i < counters.size(); ++i) {
        counters[i] = counters_[i].get();
        titles[i] = &label(layout::keys::kCounterLabels[i].title);
    }
    eventButtons_ = std::make_unique<EventButtons>(EventButtons::Targets{state_, *writer_, buttons, counters, titles,
                                                                         *platform_.messages, [this] { close(); },
                                                                         [this] { clock_->arrivalRecorded = true; }});
    for (int i = 0; i < kEventButtonCount; ++i)
        connect(eventButtonWidgets_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { eventButtons_->onEventPressed(i); });

    std::array<RhythmButton*, kRhythmButtonCount> options{};
    for (std::size_t i = 0; i < options.size(); ++i)
        options[i] = rhythmButtonWidgets_[i];
    rhythmButtons_ = std::make_unique<RhythmButtons>(*writer_, options, reversibleCausesPanel());
    for (int i = 0; i < kRhythmButtonCount; ++i)
        connect(rhythmButtonWidgets_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { rhythmButtons_->onRhythmPressed(i); });

    if (platform_.clipboard && platform_.saveDialog && platform_.printer) {
        output_ = std::make_unique<RecordOutput>(RecordOutput::Services{*recordList_, *platform_.clock,
                                                                        *platform_.messages, *platform_.clipboard,
                                                                        *platform_.saveDialog, *platform_.printer});
        exitSequence_ = [this] { output_->exitSequence(); };
    }
}

void MainWindow::buildEditing()
{
    popup_ = new PopupMenu(this);
    editing_ = std::make_unique<RecordEditing>(
        RecordEditing::Targets{*recordList_, *popup_, [this] { openEditWindow(); }, [this] { openSummaryWindow(); }});
    connect(recordList_, &RecordListWidget::mouseButtonPressed, this,
            [this](Qt::MouseButton button) { editing_->showRecordMenu(button); });
    connect(recordList_, &RecordListWidget::menuRequested, this,
            [this](const QPoint& screenPosition) { editing_->showRecordMenuAt(screenPosition); });
    connect(popup_->editItem(), &QAction::triggered, this, [this] { editing_->editRow(); });
    connect(popup_->deleteItem(), &QAction::triggered, this, [this] { editing_->deleteRow(); });
    connect(popup_->undoItem(), &QAction::triggered, this, [this] { editing_->undoLastChange(); });
    connect(popup_->summaryItem(), &QAction::triggered, this, [this] { editing_->showSummary(); });
}

void MainWindow::openEditWindow()
{
    EditWindow window(*recordList_, this, scale_);
    if (editWindowRunner_)
        editWindowRunner_(window);
    else
        window.exec();
}

void MainWindow::openSummaryWindow()
{
    // Modal like the edit window: the counters' ticks go on in its loop.
    SummaryWindow window(*recordList_, this, scale_);
    window.exec();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // However the window is closed, the record ends the same way; closing
    // cannot be refused and runs only once.
    event->accept();
    if (unloading_)
        return;
    unloading_ = true;
    Form_Unload({timerArray(), exitSequence_, *platform_.programEnd});
    if (platform_.display)
        platform_.display->release();
}

} // namespace veltrasa
