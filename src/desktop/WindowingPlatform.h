#pragma once
// Which of Qt's windowing platforms the program runs on.

namespace veltrasa {

// Where an X display is at hand (DISPLAY, as XWayland gives every GNOME and
// Plasma session) and the user has not chosen a platform (QT_QPA_PLATFORM),
// runs the program on X11 (Qt's xcb platform), where its windows can be
// placed and its frame is the window manager's; natively on Wayland only
// where there is no X display, or the X display cannot be reached. Qt 6.4
// would otherwise choose Wayland wherever WAYLAND_DISPLAY is set and its
// Wayland plugin is installed. Call before the QApplication exists.
void preferX11Display();

// Whether the program runs natively on Wayland: the compositor places the
// windows and does not say where its panels are, and Qt draws the frames.
bool onNativeWayland();

} // namespace veltrasa
