#include "ui/placement/ScreenFitter.h"

#include <QEvent>
#include <QScreen>
#include <QWindow>

#include "desktop/WindowFrame.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/placement/WindowFit.h"
#include "ui/windows/MainWindow.h"

namespace veltrasa {
namespace {
// A frame as window managers commonly draw one: a title bar and thin edges.
// Used only where the window manager does not say before the window is
// mapped; a little generous, so that the window opens inside the screen and
// grows to fit once the real frame is known.
constexpr QMargins kCommonFrame(4, 32, 4, 4);

// A Wayland compositor places the window itself, inside the room its panels
// leave, and tells no program where they are (nor, on its X server, does
// every X window manager of one): the window is fitted to the output less
// the height of one panel as tall as the common ones (weston's and GNOME's
// 32 pixels, Plasma's 44).
constexpr int kUntoldPanel = 44;

// A window manager frames, places and sizes a window in a few requests,
// answered within milliseconds; the frame is measured once no change of the
// window has come for this long.
constexpr int kSettleMs = 50;

// How often the fitted size is asked for again of a window manager that
// gave the window another.
constexpr int kMostSizeRequests = 3;

QRect availableArea(const QScreen& screen)
{
    QRect area = screen.availableGeometry();
    if (area == screen.geometry() && panelsUntold())
        area.setHeight(area.height() - kUntoldPanel);
    return area;
}

} // namespace

ScreenFitter::ScreenFitter(MainWindow& window, int place) : QObject(&window), window_(window), place_(place)
{
    // The frame shows in the geometry of the window's native window.
    window.winId();
    window.windowHandle()->installEventFilter(this);
    settled_.setSingleShot(true);
    settled_.setInterval(kSettleMs);
    connect(&settled_, &QTimer::timeout, this, &ScreenFitter::refit);
}

void ScreenFitter::fit(const QRect& available, const QMargins& frame)
{
    frame_ = frame;
    const WindowFit fitted = fitWindow(available, frame, {layout::kClientWidth, layout::kClientHeight}, place_);
    window_.setScale(fitted.scale);
    // Placed by its client area, which the window manager leaves where it
    // is asked to put it, whatever frame it draws.
    window_.setGeometry(fitted.frame - frame);
}

bool ScreenFitter::eventFilter(QObject* watched, QEvent* event)
{
    // Once the window is mapped and framed, Qt reports the frame with a
    // move, a resize or an expose of the native window; the frame is
    // measured once the window manager has done with it.
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Expose)
        settled_.start();
    return QObject::eventFilter(watched, event);
}

void ScreenFitter::refit()
{
    if (!window_.isVisible() || window_.isMinimized())
        return;
    const QMargins drawn = drawnWindowFrame(window_);
    if (drawn.isNull())
        return;
    // A manager may also give the window a size of its own (weston's gives
    // back the size it knew as it maps or activates the window, after the
    // window was fitted again): the fitted size is asked for again, a few
    // times at most, for a manager that keeps sizes of its own (a tiling
    // one) has its way.
    const bool resized = window_.size() != window_.minimumSize();
    if (drawn == frame_ && (!resized || sizeAskedAgain_ >= kMostSizeRequests))
        return;
    if (resized)
        ++sizeAskedAgain_;
    if (const QScreen* screen = window_.screen())
        fit(availableArea(*screen), drawn);
}

void showFitted(MainWindow& window, int place)
{
    auto* fitter = new ScreenFitter(window, place);
    if (const QScreen* screen = window.screen())
        fitter->fit(availableArea(*screen), expectedWindowFrame(window).value_or(kCommonFrame));
    window.show();
}

} // namespace veltrasa
