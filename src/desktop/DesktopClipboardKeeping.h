#pragma once
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <optional>

#include "desktop/ClipboardKeeping.h"

namespace veltrasa {

// Whether the desktop's clipboard manager is asked at all: on plain X11
// only. In a Wayland session (WAYLAND_DISPLAY set) the owner of
// CLIPBOARD_MANAGER on XWayland is the compositor's X window manager, which
// may acknowledge the hand-over without keeping anything (weston's does);
// the keeper keeps the text there, and the compositor passes it on to
// Wayland programs.
bool asksClipboardManager(const QString& platformName, const QString& waylandDisplay);

// A keeper: a program and its arguments. The text goes to its standard
// input, never on its command line or in its environment.
struct KeeperCommand {
    QString program;
    QStringList arguments;
};

// The keeper for the windowing system the program runs on: xclip on the X
// display `xDisplay` (the program's own display under X11 and XWayland; the
// session's XWayland display under native Wayland), found in PATH. None
// without an X display, without xclip, or on another platform. wl-copy is
// not used: it writes what it serves to a file under /tmp.
std::optional<KeeperCommand> keeperFor(const QString& platformName, const QString& xDisplay);

// Runs the keeper in a session of its own, in "/", its output discarded,
// writes the text to its standard input and closes it, and waits until it
// has put itself in the background, running the event loop meanwhile (user
// input waiting). True when it took all of the text and exited with status
// 0 within timeoutMs; a keeper that does not is killed.
bool runKeeper(const KeeperCommand& keeper, const QByteArray& utf8, int timeoutMs = 5000);

// The real desktop. On X11 the clipboard manager is the owner of the
// CLIPBOARD_MANAGER selection, asked to save the clipboard with
// SAVE_TARGETS; it has managerTimeoutMs to answer. The keeper is xclip. Each
// has taken the text over once the clipboard's owner is no longer the
// program and the text read back from the new owner is the one given.
class DesktopClipboardKeeping final : public ClipboardKeeping {
public:
    explicit DesktopClipboardKeeping(int managerTimeoutMs = 2000) : managerTimeoutMs_(managerTimeoutMs) {}
    bool handOverToManager(const QByteArray& utf8, QDeadlineTimer deadline) override;
    bool startKeeper(const QByteArray& utf8, QDeadlineTimer deadline) override;

private:
    int managerTimeoutMs_;
};

} // namespace veltrasa
