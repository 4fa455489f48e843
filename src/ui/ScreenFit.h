#pragma once
// Where the main window opens and how large: its frame centred on the
// screen's available area (the desktop less its panels) and entirely inside
// it, the window scaled down just enough where the area is too small for it
// as laid out.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

#include "ui/Layout.h"

namespace veltrasa {

class FrmMain;

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

// Keeps the main window fitted to its screen: fits it to the frame expected
// before it is shown, and again once the window manager's real frame is
// known (that is, as the window is mapped) if it differs, or the manager
// gave the window a size of its own.
class ScreenFitter final : public QObject {
    Q_OBJECT
public:
    // `place`: that of the window's record among those open (fitWindow).
    explicit ScreenFitter(FrmMain& window, int place = 0);
    // Scales and places the window for a frame of `frame` on `available`.
    void fit(const QRect& available, const QMargins& frame);
    const QMargins& frame() const { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refit();

    FrmMain& window_;
    QMargins frame_;
    int place_;
    QTimer settled_;
    int sizeAskedAgain_ = 0;
};

// Shows the main window fitted to its screen, at its record's place.
void showFitted(FrmMain& window, int place = 0);

} // namespace veltrasa
