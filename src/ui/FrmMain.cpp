#include "ui/FrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <map>

#include "output/RecordOutput.h"
#include "platform/Clock.h"
#include "platform/DisplayKeeper.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"
#include "platform/WindowingPlatform.h"
#include "record/ShutDown.h"
#include "ui/Fonts.h"
#include "ui/FrmEdit.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/PopupMenu.h"
#include "ui/Widgets.h"

namespace veltrasa {
namespace {
void setColours(QWidget* w, QRgb background, QRgb text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Button, QColor::fromRgb(background));
    p.setColor(QPalette::Base, QColor::fromRgb(background));
    p.setColor(QPalette::ButtonText, QColor::fromRgb(text));
    p.setColor(QPalette::Text, QColor::fromRgb(text));
    w->setPalette(p);
}
} // namespace

FrmMain::FrmMain(const Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Veltrasa２００５"));
    // Minimise only: a stray click on a close box must not end a record.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    // Natively on Wayland, Qt 6.4 draws the title bar itself, with a maximise
    // button whatever the flags ask; maximising a window of fixed size breaks
    // the program's connection to the compositor (weston) and ends it. The
    // window goes without: the compositor places it, CPR終了 ends the record.
    // (Qt drops the hint from flags that ask for a minimise button.)
    if (onNativeWayland())
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(layout::kWindowBackground));
    setPalette(p);
    setAutoFillBackground(true);
    setWindowIcon(images::stopwatchIcon());
    // The large arrow over the background, labels, panels and pictures;
    // buttons and the list keep the standard arrow (set as they are built).
    setCursor(images::arrowPointer());
    installFontSubstitutes();

    buildControls();
    buildLogic();
    buildEditing();
    placeControls();

    Form_Load({*clock_, *recordList_, state_, reversibleCausesPanel(), [this] { editing_->clearUndoBuffer(); },
               timerArray()});
    // The screen stays lit from here until the shut-down has finished.
    if (platform_.display)
        platform_.display->keepAwake();

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

FrmMain::~FrmMain()
{
    if (platform_.display)
        platform_.display->release();
}

QString FrmMain::key(const QString& name, int index)
{
    return name + QLatin1Char('/') + QString::number(index);
}

LabelWidget* FrmMain::findLabel(const QString& name, int index) const
{
    return labels_.value(key(name, index));
}

ShapeWidget* FrmMain::findShape(const QString& name, int index) const
{
    return shapes_.value(key(name, index));
}

LabelWidget& FrmMain::requiredLabel(const char* name, int index) const
{
    LabelWidget* w = findLabel(QString::fromLatin1(name), index);
    if (w == nullptr)
        qFatal("The main window has no label %s(%d)", name, index);
    return *w;
}

ShapeWidget& FrmMain::shape(layout::ShapeKey key) const
{
    ShapeWidget* w = findShape(QString::fromLatin1(key.name()), key.index());
    if (w == nullptr)
        qFatal("The main window has no panel %s(%d)", key.name(), key.index());
    return *w;
}

PicturePanelWidget* FrmMain::picturePanel(int number) const
{
    return pictures_.value(number);
}

void FrmMain::buildControls()
{
    // Created bottom to top: panels, labels, picture panels, event buttons,
    // rhythm buttons, the list. Places and fonts follow (placeControls).
    for (const auto& s : layout::panels()) {
        auto* w = new ShapeWidget(this, layout::kPanelFill, s.border);
        w->setObjectName(QString::fromLatin1(s.name));
        shapes_.insert(key(QString::fromLatin1(s.name), s.index), w);
    }
    for (const auto& s : layout::labels()) {
        auto* w = new LabelWidget(this);
        w->setObjectName(QString::fromLatin1(s.name));
        w->setFaceMetrics(originalFaceMetrics(QString::fromUtf16(s.font.family)));
        w->setAlignment((s.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        w->setColour(s.colour);
        w->setText(QString::fromUtf16(s.text));
        labels_.insert(key(QString::fromLatin1(s.name), s.index), w);
    }

    std::map<int, QWidget*> focusOrder;
    for (const auto& s : layout::picturePanels()) {
        auto* w = new PicturePanelWidget(this, QString::fromUtf16(s.lettering));
        w->setObjectName(QStringLiteral("Command%1").arg(s.number));
        pictures_.insert(s.number, w);
        focusOrder[s.focusOrder] = w;
    }
    for (const auto& s : layout::eventButtons()) {
        const auto& entry = eventCatalogue()[static_cast<std::size_t>(s.index)];
        auto* w = new EventButtonWidget(this, QString::fromUtf16(entry.caption));
        w->setObjectName(QStringLiteral("Check1_%1").arg(s.index));
        setColours(w, s.background, layout::kEventButtonText);
        w->setCursor(Qt::ArrowCursor);
        eventButtonWidgets_[static_cast<std::size_t>(s.index)] = w;
        focusOrder[s.focusOrder] = w;
    }
    for (const auto& s : layout::optionButtons()) {
        const auto& entry = rhythmCatalogue()[static_cast<std::size_t>(s.index)];
        auto* w = new OptionButtonWidget(this, QString::fromUtf16(entry.caption));
        w->setObjectName(QStringLiteral("Option1_%1").arg(s.index));
        setColours(w, layout::kOptionBackground, layout::kOptionText);
        w->setBackground(layout::kOptionBackground);
        w->setCursor(Qt::ArrowCursor);
        rhythmButtonWidgets_[static_cast<std::size_t>(s.index)] = w;
        focusOrder[s.focusOrder] = w;
    }
    const auto& ls = layout::recordList();
    recordList_ = new RecordListWidget(this);
    recordList_->setObjectName(QStringLiteral("List1"));
    setColours(recordList_, ls.background, ls.text);
    recordList_->setCursor(Qt::ArrowCursor);
    recordList_->viewport()->setCursor(Qt::ArrowCursor);
    recordList_->addRow(QString::fromUtf16(ls.sampleRow));
    focusOrder[ls.focusOrder] = recordList_;

    chainFocus(focusOrder);
    if (!focusOrder.empty())
        focusOrder.begin()->second->setFocus(Qt::OtherFocusReason);

    for (auto& t : timers_) {
        t = platform_.timers->createTimer();
    }
}

void FrmMain::setScale(const layout::Scale& scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    placeControls();
}

void FrmMain::placeControls()
{
    const layout::Scale& k = scale_;
    setFixedSize(k.px(layout::kClientWidth), k.px(layout::kClientHeight));
    for (const auto& s : layout::panels())
        findShape(QString::fromLatin1(s.name), s.index)->setGeometry(k.rect(s.left, s.top, s.width, s.height));
    for (const auto& s : layout::labels()) {
        LabelWidget& w = requiredLabel(s.name, s.index);
        const QRect r = k.rect(s.left, s.top, s.width, s.height);
        // A fixed size spares the window a layout request on every new text.
        w.setFixedSize(r.size());
        w.move(r.topLeft());
        w.setFont(makeFont(s.font, k));
    }
    const QFont buttonFont = makeFont(layout::kEventButtonFont, k);
    for (const auto& s : layout::picturePanels()) {
        PicturePanelWidget* w = picturePanel(s.number);
        w->setGeometry(k.rect(s.left, s.top, layout::kEventButtonWidth, layout::kPicturePanelHeight));
        w->setFont(buttonFont);
        w->setScale(k);
    }
    for (const auto& s : layout::eventButtons()) {
        EventButtonWidget* w = eventButton(s.index);
        w->setGeometry(k.rect(s.left, s.top, layout::kEventButtonWidth, layout::kEventButtonHeight));
        w->setFont(buttonFont);
        w->setScale(k);
    }
    const QFont optionFont = makeFont(layout::kOptionFont, k);
    for (const auto& s : layout::optionButtons()) {
        OptionButtonWidget* w = rhythmButton(s.index);
        w->setGeometry(k.rect(s.left, layout::kOptionTop, layout::kOptionWidth, layout::kOptionHeight));
        w->setFont(optionFont);
        w->setScale(k);
    }
    const auto& ls = layout::recordList();
    recordList_->setGeometry(k.rect(ls.left, ls.top, ls.width, ls.height));
    recordList_->setFont(makeFont(ls.font, k));
    // The menu keeps the platform's font, at the window's scale.
    popup_->setFont(k == layout::Scale() ? QFont() : scaledFont(QApplication::font(popup_), k));
}

std::array<Visibility*, 3> FrmMain::reversibleCausesPanel() const
{
    using namespace layout::keys;
    return {&shape(kReversibleCausesBox), &label(kReversibleCausesHeading), &label(kReversibleCausesList)};
}

std::array<Timer*, kTimerCount> FrmMain::timerArray() const
{
    std::array<Timer*, kTimerCount> result{};
    for (std::size_t i = 0; i < timers_.size(); ++i)
        result[i] = timers_[i].get();
    return result;
}

void FrmMain::buildLogic()
{
    writer_ = std::make_unique<RecordWriter>(*recordList_, *platform_.clock);

    std::array<Label*, kCounterCount> titles{};
    for (const auto& entry : counterTable()) {
        std::array<Label*, 4> digits{};
        for (std::size_t p = 0; p < digits.size(); ++p)
            digits[p] = &requiredLabel(entry.labelArray, entry.digitIndexes[p]);
        const auto id = static_cast<std::size_t>(entry.id);
        counters_[id] =
            std::make_unique<DigitCounter>(timer(entry.timerNumber), *platform_.clock, digits,
                                           requiredLabel(entry.labelArray, entry.separatorIndex), entry.params);
        titles[id] = &requiredLabel(kCounterTitleArray, entry.titleIndex);
    }

    using namespace layout::keys;
    std::array<Label*, 4> clockDigits{};
    for (std::size_t p = 0; p < clockDigits.size(); ++p)
        clockDigits[p] = &label(kClockDigits[p]);
    clock_ = std::make_unique<ClockDisplay>(*platform_.clock, clockDigits, label(kClockSeparator), label(kDateLabel),
                                            label(kArrivalSeparator));
    timer(1).setHandler([this] { clock_->clockTick(); });

    std::array<EventButton*, kEventButtonCount> buttons{};
    std::array<DigitCounter*, kCounterCount> counters{};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i] = eventButtonWidgets_[i];
    for (std::size_t i = 0; i < counters.size(); ++i)
        counters[i] = counters_[i].get();
    eventButtons_ = std::make_unique<EventButtons>(EventButtons::Targets{state_, *writer_, buttons, counters, titles,
                                                                         *platform_.messages, [this] { close(); },
                                                                         [this] { clock_->arrivalRecorded = true; }});
    for (int i = 0; i < kEventButtonCount; ++i)
        connect(eventButtonWidgets_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { eventButtons_->onEventPressed(i); });

    std::array<OptionButton*, kRhythmButtonCount> options{};
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

void FrmMain::buildEditing()
{
    popup_ = new PopupMenu(this);
    editing_ =
        std::make_unique<RecordEditing>(RecordEditing::Targets{*recordList_, *popup_, [this] { openEditWindow(); }});
    connect(recordList_, &RecordListWidget::mouseButtonPressed, this,
            [this](Qt::MouseButton button) { editing_->showRecordMenu(button); });
    connect(recordList_, &RecordListWidget::menuRequested, this,
            [this](const QPoint& screenPosition) { editing_->showRecordMenuAt(screenPosition); });
    connect(popup_->editItem(), &QAction::triggered, this, [this] { editing_->editRow(); });
    connect(popup_->deleteItem(), &QAction::triggered, this, [this] { editing_->deleteRow(); });
    connect(popup_->undoItem(), &QAction::triggered, this, [this] { editing_->undoLastChange(); });
}

void FrmMain::openEditWindow()
{
    FrmEdit window(*recordList_, this, scale_);
    if (editWindowRunner_)
        editWindowRunner_(window);
    else
        window.exec();
}

void FrmMain::closeEvent(QCloseEvent* event)
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
