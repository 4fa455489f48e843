#pragma once
#include <QMargins>
#include <optional>

class QWidget;

namespace veltrasa {

// The frame the window manager will draw around `window`, a top-level
// window not shown yet, as far as it can be known before it is mapped: none
// for a frameless window or where no window manager runs; the manager's own
// estimate where it gives one when asked (_NET_REQUEST_FRAME_EXTENTS of the
// freedesktop window manager hints, answered by most X11 window managers);
// nothing otherwise: nor is a manager asked that does not list the request
// among the hints it supports (_NET_SUPPORTED), and on other platforms than
// X11 nothing is known. Asking creates the window's native window. Costs a
// few round trips to the X server, and waits at most a tenth of a second
// for a manager that lists the request.
std::optional<QMargins> expectedWindowFrame(QWidget& window);

// The frame drawn around `window`, a top-level window shown: on X11 the
// window manager's frame extents (_NET_FRAME_EXTENTS) where it sets them,
// else the window's place in the frame window the manager put it in, both
// measured on the X server at the same moment (Qt's own frame geometry sets
// the frame window's present size against the window's size of the last
// event it handled: while a resize is under way, a frame that is not there);
// elsewhere the frame Qt knows (QWindow::frameMargins). None for a window
// without a frame.
QMargins drawnWindowFrame(QWidget& window);

// Whether panels of the desktop may cover the screen's edges without the
// program being told where: natively on Wayland, where the compositor tells
// no program, and on the X server of a Wayland session (XWayland, with
// WAYLAND_DISPLAY set) whose window manager publishes no work area
// (_NET_WORKAREA on the root window), as weston's does not.
bool panelsUntold();

} // namespace veltrasa
