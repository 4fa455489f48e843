#pragma once
// The window's mouse pointer, painted when the window is built.

#include <QCursor>
#include <QImage>
#include <QPoint>

namespace veltrasa::images {

// A large white arrow with a one-pixel black outline, 18 x 30 pixels in a
// 32 x 32 black-and-white image (transparent elsewhere), its tip the hot spot.
constexpr int kPointerSize = 32;
constexpr QPoint kPointerHotSpot{0, 1};
QImage arrowPointerImage();
// The same pointer in two forms: a two-colour bitmap with its mask, the
// X11 cursor every X server shows; or a colour picture, which is all Qt 6.4
// can show on Wayland (a bitmap cursor there fails to make its buffer,
// "QWaylandShmBuffer: mmap failed", and the pointer vanishes).
enum class PointerForm { Bitmap, Colour };
QCursor arrowPointer(PointerForm form);
// The form the platform the program runs on shows.
QCursor arrowPointer();

} // namespace veltrasa::images
