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

} // namespace veltrasa
