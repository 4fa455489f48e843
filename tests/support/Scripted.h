#pragma once
// Scripted stand-ins for the platform services: tests answer questions,
// set the clock and deliver ticks without waiting.

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/EventButton.h"
#include "controls/Label.h"
#include "controls/RecordList.h"
#include "controls/RecordMenu.h"
#include "controls/RhythmButton.h"
#include "desktop/ClipboardKeeping.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/DisplayKeeper.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/ProgramEnd.h"
#include "platform/SaveFileDialog.h"
#include "platform/TimerFactory.h"

namespace veltrasa::testing {

// The wall clock and the elapsed time, moved by the test: time passing
// moves both; setting the wall clock moves only the wall clock.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2005, 6, 4), QTime(9, 5, 7))) : now_(start) {}
    QDateTime now() const override { return now_; }
    qint64 elapsedMs() const override { return elapsedMs_; }
    void set(const QDateTime& when) { now_ = when; }
    void advance(int seconds) { advanceMs(qint64(seconds) * 1000); }
    void advanceMs(qint64 ms)
    {
        now_ = now_.addMSecs(ms);
        elapsedMs_ += ms;
    }

private:
    QDateTime now_;
    qint64 elapsedMs_ = 1'234'000; // the machine has been up a while
};

// Each message box shown, in order.
struct ShownMessage {
    enum Kind { Question, Notice, Warning } kind;
    QString text;
    Answer byDefault = Answer::Yes; // of a question
};

class ScriptedMessageBox final : public MessageBox {
public:
    // Answers given to the next questions, in order. With none left, a
    // question is answered No and counted as unexpected.
    void answer(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }
    Answer question(const QString& text) override { return ask(text, Answer::Yes); }
    Answer questionDefaultNo(const QString& text) override { return ask(text, Answer::No); }
    void notice(const QString& text) override { shown.push_back({ShownMessage::Notice, text}); }
    void warning(const QString& text) override { shown.push_back({ShownMessage::Warning, text}); }

    std::vector<ShownMessage> shown;
    int unexpectedQuestions = 0;
    std::deque<Answer> answers_;

private:
    Answer ask(const QString& text, Answer byDefault);
};

class ManualTimer final : public Timer {
public:
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    // Delivers one tick if the timer would tick; returns whether it did.
    bool tick()
    {
        if (!enabled_ || interval_ <= 0)
            return false;
        deliverTick();
        return true;
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }

private:
    int interval_ = 0;
    bool enabled_ = true;
};

class ManualTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override
    {
        auto t = std::make_unique<ManualTimer>();
        created.push_back(t.get());
        return t;
    }
    std::vector<ManualTimer*> created;
};

class RecordingProgramEnd final : public ProgramEnd {
public:
    void endProgram() override { ++ended; }
    int ended = 0;
};

// Counts the requests to keep the display awake and the releases of a held
// request (a release with nothing held does nothing, as with the real
// keeper); a hook lets a test see what had happened by the time of the
// release.
class ScriptedDisplayKeeper final : public DisplayKeeper {
public:
    void keepAwake() override
    {
        ++keepAwakeCalls;
        held = true;
    }
    void release() override
    {
        if (!held)
            return;
        held = false;
        ++releases;
        if (onRelease)
            onRelease();
    }
    int keepAwakeCalls = 0;
    int releases = 0;
    bool held = false;
    std::function<void()> onRelease;
};

// The clipboard as a string, with every clear and every text kept; what
// becomes of the text at the program's end is chosen by the test.
class ScriptedClipboard final : public Clipboard {
public:
    AfterExit setText(const QString& t) override
    {
        text = t;
        texts.push_back(t);
        return afterExit;
    }
    QString text;
    std::vector<QString> texts;
    AfterExit afterExit = AfterExit::Kept;
};

// The desktop's clipboard manager and keeper as the test wants them; a hook
// sees each request as it is made.
class ScriptedClipboardKeeping final : public ClipboardKeeping {
public:
    bool handOverToManager(const QByteArray& utf8, QDeadlineTimer) override
    {
        requests.push_back(QStringLiteral("manager"));
        handedOver = utf8;
        if (onRequest)
            onRequest();
        return managerSaves;
    }
    bool startKeeper(const QByteArray& utf8, QDeadlineTimer) override
    {
        requests.push_back(QStringLiteral("keeper"));
        kept = utf8;
        if (onRequest)
            onRequest();
        return keeperServes;
    }
    bool managerSaves = false;
    bool keeperServes = false;
    QStringList requests;
    QByteArray handedOver;
    QByteArray kept;
    std::function<void()> onRequest;
};

// The save-file dialog answered from a script: a path, or nothing for a
// cancel. With no answer left it cancels and counts the call as unexpected.
class ScriptedSaveFileDialog final : public SaveFileDialog {
public:
    void answer(std::initializer_list<std::optional<QString>> answers)
    {
        for (const auto& a : answers)
            answers_.push_back({a.has_value(), a.value_or(QString())});
    }
    std::optional<QString> askFileName(const QString& proposedName, const QString& filter) override
    {
        proposals.push_back(proposedName);
        filters.push_back(filter);
        if (answers_.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        const auto [chosen, path] = answers_.front();
        answers_.pop_front();
        if (!chosen)
            return std::nullopt;
        return path;
    }
    std::vector<QString> proposals;
    std::vector<QString> filters;
    int unexpected = 0;

private:
    std::deque<std::pair<bool, QString>> answers_;
};

// A printer that keeps what is drawn where, with chosen failures. Text is
// measured as one em per character; a line is 1.25 em high.
class ScriptedPrinter final : public Printer {
public:
    struct Drawn {
        int page;
        QPointF at;
        QString text;
        QFont font;
    };
    bool begin() override
    {
        ++begins;
        drawn.clear();
        page = 0;
        return !failBegin;
    }
    QSizeF printableSize() const override { return size; }
    void setFont(const QFont& f) override { font = f; }
    double textWidth(const QString& text) const override { return text.size() * font.pointSizeF() * 20; }
    double lineHeight() const override { return font.pointSizeF() * 25; }
    void drawText(QPointF topLeft, const QString& text) override { drawn.push_back({page, topLeft, text, font}); }
    void drawPicture(const QRectF& area, const Drawing&) override { pictures.emplace_back(page, area); }
    bool newPage() override
    {
        if (failNewPage)
            return false;
        ++page;
        return true;
    }
    bool end() override
    {
        ++ends;
        return !failEnd;
    }
    void abort() override { ++aborts; }

    // A4 less a margin of 284 twips (5 mm) all round.
    QSizeF size{11906 - 568, 16838 - 568};
    bool failBegin = false;
    bool failNewPage = false;
    bool failEnd = false;
    int begins = 0;
    int ends = 0;
    int aborts = 0;
    int page = 0;
    QFont font;
    std::vector<Drawn> drawn;
    std::vector<std::pair<int, QRectF>> pictures;
};

// All scripted services together.
struct ScriptedPlatform {
    FakeClock clock;
    ScriptedMessageBox messages;
    ManualTimerFactory timers;
    RecordingProgramEnd programEnd;
    ScriptedDisplayKeeper display;
    ScriptedClipboard clipboard;
    ScriptedSaveFileDialog saveDialog;
    ScriptedPrinter printer;

    // `seconds` seconds pass, and every second the running timers tick in
    // one wake-up, the clock's Timer1 first, as they do on the desktop.
    void pass(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            for (ManualTimer* t : timers.created)
                t->tick();
        }
    }

    Platform platform()
    {
        Platform p{&messages, &clock, &timers, &programEnd};
        p.display = &display;
        p.clipboard = &clipboard;
        p.saveDialog = &saveDialog;
        p.printer = &printer;
        return p;
    }
};

// In-memory label that keeps every write.
class FakeLabel final : public Label {
public:
    void setText(const QString& text) override
    {
        text_ = text;
        ++textWrites;
    }
    QString text() const override { return text_; }
    void setColour(QRgb colour) override
    {
        colour_ = colour;
        ++colourWrites;
    }
    QRgb colour() const override { return colour_; }
    void setShown(bool shown) override { visible_ = shown; }
    bool isShown() const override { return visible_; }

    int textWrites = 0;
    int colourWrites = 0;

private:
    QString text_;
    QRgb colour_ = 0;
    bool visible_ = true;
};

} // namespace veltrasa::testing

namespace veltrasa::testing {

// The record list as a plain vector, for logic tests without widgets.
class MemoryRecordList final : public RecordList {
public:
    void clear() override
    {
        rows.clear();
        selected = -1;
    }
    void addRow(const QString& text) override { rows.push_back(text); }
    void insertRow(int index, const QString& text) override
    {
        rows.insert(rows.begin() + index, text);
        if (selected >= index)
            ++selected;
    }
    void removeRow(int index) override
    {
        rows.erase(rows.begin() + index);
        if (selected == index)
            selected = -1;
        else if (selected > index)
            --selected;
    }
    int count() const override { return static_cast<int>(rows.size()); }
    QString rowText(int index) const override { return rows.at(static_cast<std::size_t>(index)); }
    int selectedIndex() const override { return selected; }
    void select(int index) override { selected = index >= 0 && index < count() ? index : -1; }
    void setEnabled(bool enabled) override { this->enabled = enabled; }
    void giveFocus() override { ++focusRequests; }

    std::vector<QString> rows;
    int selected = -1;
    bool enabled = true;
    int focusRequests = 0;
};

// The record menu's items as the menu showed them: enabled or not.
struct MenuStates {
    bool edit = false, del = false, undo = false;

    static MenuStates of(const RecordMenu& menu)
    {
        using Item = RecordMenu::Item;
        return {menu.isItemEnabled(Item::Edit), menu.isItemEnabled(Item::Delete), menu.isItemEnabled(Item::Undo)};
    }
    bool operator==(const MenuStates& o) const { return edit == o.edit && del == o.del && undo == o.undo; }
    QString str() const { return QStringLiteral("修正=%1 削除=%2 元に戻す=%3").arg(edit).arg(del).arg(undo); }
};

class FakeEventButton final : public EventButton {
public:
    bool isHeldDown() const override { return down; }
    void setHeldDown(bool d) override { down = d; }
    bool down = false;
};

class FakeRhythmButton final : public RhythmButton {
public:
    explicit FakeRhythmButton(QString caption = {}) : caption_(std::move(caption)) {}
    QString caption() const override { return caption_; }
    void setSelected(bool s) override { selected = s; }
    bool isSelected() const override { return selected; }
    void setBackground(QRgb c) override { background_ = c; }
    QRgb background() const override { return background_; }
    bool selected = false;

private:
    QString caption_;
    QRgb background_ = 0;
};

} // namespace veltrasa::testing
