#pragma once
class QWidget;

namespace veltrasa {

// Brings a program's window to the front: shown again if minimised, raised
// and activated (where the window manager lets a program do so), with the
// dialog open over it, if any, on top.
void bringToFront(QWidget& window);

} // namespace veltrasa
