#include "desktop/WindowFrame.h"
#include "desktop/WindowingPlatform.h"
#include "desktop/X11Display.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace veltrasa {

namespace {
// The CARDINAL values of a window's property, at most `count`; empty if the
// property is not set.
std::vector<unsigned long> cardinals(Display* display, Window window, Atom property, long count)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, count, False, AnyPropertyType, &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        if (format == 32) {
            // Xlib hands 32-bit items over as longs.
            const auto* longs = reinterpret_cast<const unsigned long*>(data);
            values.assign(longs, longs + items);
        }
        XFree(data);
    }
    return values;
}

// More than any window manager lists in _NET_SUPPORTED (about a hundred).
constexpr long kMostHints = 1024;

std::optional<QMargins> windowManagersFrame(QWidget& window)
{
    Display* display = programXDisplay();
    if (!display)
        return std::nullopt;
    const Window root = DefaultRootWindow(display);
    // One round trip for the four names.
    std::array<char*, 4> names{const_cast<char*>("_NET_SUPPORTING_WM_CHECK"), const_cast<char*>("_NET_SUPPORTED"),
                               const_cast<char*>("_NET_REQUEST_FRAME_EXTENTS"),
                               const_cast<char*>("_NET_FRAME_EXTENTS")};
    std::array<Atom, 4> atoms{};
    XInternAtoms(display, names.data(), int(names.size()), False, atoms.data());
    const auto [check, supported, request, extents] = atoms;
    // A window manager that follows the hints names its check window on the
    // root window; without one, windows have no frame.
    if (cardinals(display, root, check, 1).empty())
        return QMargins();
    // A manager that does not list the request among the hints it supports
    // (weston's X window manager) is not asked: it would never answer.
    const auto hints = cardinals(display, root, supported, kMostHints);
    if (std::find(hints.begin(), hints.end(), request) == hints.end())
        return std::nullopt;

    const auto client = static_cast<Window>(window.winId());
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = client;
    event.xclient.message_type = request;
    event.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    // The manager answers by setting the property on the window, usually
    // within a millisecond; the program's event loop is not running yet, so
    // the property is read until it is there.
    const QDeadlineTimer deadline(100);
    do {
        const auto values = cardinals(display, client, extents, 4);
        if (values.size() == 4)
            return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3])); // left, right, top, bottom
        QThread::usleep(500);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

std::optional<QMargins> drawnOnX11(QWidget& window)
{
    Display* display = programXDisplay();
    if (!display)
        return std::nullopt;
    const auto client = static_cast<Window>(window.winId());
    const auto extents = cardinals(display, client, XInternAtom(display, "_NET_FRAME_EXTENTS", False), 4);
    if (extents.size() == 4)
        return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
    // The frame is the window's ancestor that is a child of the root window.
    Window frame = client;
    for (;;) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, frame, &root, &parent, &children, &count))
            return std::nullopt;
        if (children)
            XFree(children);
        if (parent == root || parent == None)
            break;
        frame = parent;
    }
    if (frame == client)
        return QMargins();
    Window root = None;
    Window child = None;
    int x = 0;
    int y = 0;
    int left = 0;
    int top = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int frameWidth = 0;
    unsigned int frameHeight = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(display, client, &root, &x, &y, &width, &height, &border, &depth) ||
        !XGetGeometry(display, frame, &root, &x, &y, &frameWidth, &frameHeight, &border, &depth) ||
        !XTranslateCoordinates(display, client, frame, 0, 0, &left, &top, &child))
        return std::nullopt;
    const QMargins margins(left, top, int(frameWidth) - int(width) - left, int(frameHeight) - int(height) - top);
    // The manager resizes the window and then its frame: in between, no frame.
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
        return QMargins();
    return margins;
}

// Whether the X window manager publishes no work area.
bool workAreaMissing()
{
    Display* display = programXDisplay();
    return display &&
           cardinals(display, DefaultRootWindow(display), XInternAtom(display, "_NET_WORKAREA", False), 4).empty();
}
} // namespace

std::optional<QMargins> expectedWindowFrame(QWidget& window)
{
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return QMargins();
    return windowManagersFrame(window);
}

QMargins drawnWindowFrame(QWidget& window)
{
    if (const auto measured = drawnOnX11(window))
        return *measured;
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

bool panelsUntold()
{
    if (onNativeWayland())
        return true;
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && workAreaMissing();
}

} // namespace veltrasa
