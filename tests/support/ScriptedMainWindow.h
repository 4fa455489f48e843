#pragma once
// The main window over scripted services: the fixture of the widget tests,
// and the presses, typing and pictures they share.

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Scripted.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PopupMenu.h"

namespace veltrasa::testing {

struct ScriptedMainWindow {
    ScriptedMainWindow() : window(services.platform()) {}
    // With the clock at `start` when the window is created.
    explicit ScriptedMainWindow(const QDateTime& start) : window((services.clock.set(start), services.platform())) {}

    ScriptedPlatform services;
    MainWindow window;

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

    static QStringList rowsOf(const RecordList& list)
    {
        QStringList result;
        for (int i = 0; i < list.count(); ++i)
            result << list.rowText(i);
        return result;
    }
};

inline QImage shot(MainWindow& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Rows and columns of `image` (inside `within`) holding a pixel that
// satisfies `ink`; an empty rectangle if none.
inline QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink, QRect within = {})
{
    if (within.isNull())
        within = image.rect();
    QRect bounds;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (ink(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A right-button press on row `row` of the list (which it must not select).
inline void rightPressOnRow(MainWindow& window, int row)
{
    RecordListWidget* list = window.recordList();
    const QPoint at = row < list->count() ? list->visualItemRect(list->item(row)).center() : QPoint(10, 10);
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
}

// Text as an input method delivers it (QTest's key clicks take Latin-1 only).
inline void typeJapanese(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Shows the window, waits until it is active, then presses `presses`
// event buttons, taking `buttons` in turn. 除細動, エピネフリン and
// キシロカイン write rows wider than the list.
inline bool shownWithRows(MainWindow& window, int presses, const std::vector<int>& buttons = {2, 5, 9})
{
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    for (int i = 0; i < presses; ++i)
        window.eventButton(buttons[static_cast<std::size_t>(i) % buttons.size()])->click();
    return true;
}

// The record menu chosen from by the test in place of its modal loop: what
// it showed, where, and where the selected row was then; `choice`, if set,
// is chosen (nothing happens when it is disabled).
struct ScriptedMenu {
    explicit ScriptedMenu(MainWindow& window)
    {
        RecordListWidget* list = window.recordList();
        window.popup()->setShower([this, list](PopupMenu& menu, const QPoint& at) {
            shownAt = at;
            selectedRow = list->visualItemRect(list->item(list->selectedIndex()));
            shown = MenuStates::of(menu);
            if (choice)
                menu.action(*choice)->trigger();
        });
    }
    ScriptedMenu(const ScriptedMenu&) = delete;
    ScriptedMenu& operator=(const ScriptedMenu&) = delete;

    std::optional<MenuStates> shown;
    std::optional<QPoint> shownAt;
    QRect selectedRow;
    std::optional<RecordMenu::Item> choice;
};

} // namespace veltrasa::testing
