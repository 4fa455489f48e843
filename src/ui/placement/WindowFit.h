#pragma once
// Where the main window opens and how large: its frame centred on the
// screen's available area (the desktop less its panels) and entirely inside
// it, the window scaled down just enough where the area is too small for it
// as laid out.

#include <QMargins>
#include <QRect>
#include <QSize>

#include "ui/layout/Scale.h"

namespace veltrasa {

struct WindowFit {
    layout::Scale scale;
    QRect frame; // the window with the window manager's frame, on the screen
};

// A window whose client area measures `clientTwips`, drawn in a frame of
// `frame` pixels, on a screen whose available area is `available`: scale 1
// if it fits, else the largest scale at which it does; the frame centred on
// the available area and never outside it.
//
// The window of a further record open at the same time (`place` 1, 2 ...)
// is cascaded: moved down and to the right of the centred one by `place`
// steps of a title bar's height (at least kCascadeStep), and scaled down
// just enough where it would not fit there. After as many steps as make a
// quarter of the window's height, the cascade starts again at one step.
WindowFit fitWindow(const QRect& available, const QMargins& frame, QSize clientTwips, int place = 0);
constexpr int kCascadeStep = 32;

// `rect` moved as little as it takes to lie entirely inside `area`. One
// wider or taller than the area is put at its left or top edge, so that a
// window's title bar stays on the screen.
QRect movedInside(QRect rect, const QRect& area);

} // namespace veltrasa
