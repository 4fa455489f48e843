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
WindowFit fitWindow(const QRect& available, const QMargins& frame, QSize clientTwips);

// Keeps the main window fitted to its screen: fits it to the frame expected
// before it is shown, and again once the window manager's real frame is
// known (that is, as the window is mapped) if it differs, or the manager
// gave the window a size of its own.
class ScreenFitter final : public QObject {
    Q_OBJECT
public:
    explicit ScreenFitter(FrmMain& window);
    // Scales and places the window for a frame of `frame` on `available`.
    void fit(const QRect& available, const QMargins& frame);
    const QMargins& frame() const { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refit();

    FrmMain& window_;
    QMargins frame_;
    QTimer settled_;
    int sizeAskedAgain_ = 0;
};

// Shows the main window fitted to its screen.
void showFitted(FrmMain& window);

} // namespace veltrasa
