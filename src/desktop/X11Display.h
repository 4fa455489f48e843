#pragma once
// The X display the program shows on, for what is asked of the X server
// directly (libX11): the window manager's frame and work area, the clipboard
// manager, the screen saver.

// Display as Qt's X11 interface declares it: <X11/Xlib.h>, whose macros
// clash with Qt's names, is included after Qt's headers.
#include <QGuiApplication>
#include <QString>

namespace veltrasa {

// Qt's own connection to the X display: on X11 and XWayland (Qt's xcb
// platform); nullptr on another platform or before the QApplication exists.
// Qt reads its events and closes it.
Display* programXDisplay();

// The name of the X display: the program's own, or where the program has
// none (native Wayland) the session's X display (DISPLAY, XWayland's).
// Empty where there is none.
QString xDisplayName();

} // namespace veltrasa
