#include "desktop/DesktopClipboardKeeping.h"
#include "desktop/QtClipboard.h"
#include "desktop/X11Display.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <unistd.h>

#include <X11/Xlib.h>

namespace veltrasa {

std::optional<KeeperCommand> keeperFor(const QString& platformName, const QString& xDisplay)
{
    const bool x11 = platformName == QLatin1String("xcb");
    const bool wayland = platformName.startsWith(QLatin1String("wayland"));
    if ((!x11 && !wayland) || xDisplay.isEmpty())
        return std::nullopt;
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    if (xclip.isEmpty())
        return std::nullopt;
    return KeeperCommand{xclip,
                         {QStringLiteral("-display"), xDisplay, QStringLiteral("-selection"),
                          QStringLiteral("clipboard"), QStringLiteral("-in")}};
}

namespace {
// Runs the event loop, user input waiting, until `loop` quits or timeoutMs
// have passed.
void runEventLoop(QEventLoop& loop, qint64 timeoutMs)
{
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(std::chrono::milliseconds(std::max<qint64>(timeoutMs, 0)));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

bool runKeeper(const KeeperCommand& keeper, const QByteArray& utf8, int timeoutMs)
{
    QProcess process;
    process.setProgram(keeper.program);
    process.setArguments(keeper.arguments);
    process.setWorkingDirectory(QStringLiteral("/"));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Its own session: it outlives the program, and a terminal the program
    // was started from does not take it along when it closes.
    process.setChildProcessModifier([] { ::setsid(); });
    QEventLoop loop;
    bool writeFailed = false;
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        writeFailed = writeFailed || error == QProcess::WriteError;
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(&process, &QProcess::started, &loop, [&] {
        process.write(utf8);
        process.closeWriteChannel();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QIODevice::WriteOnly);
    if (process.state() != QProcess::NotRunning)
        runEventLoop(loop, timeoutMs);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return !writeFailed && process.bytesToWrite() == 0 && process.exitStatus() == QProcess::NormalExit &&
           process.error() == QProcess::UnknownError && process.exitCode() == 0;
}

bool asksClipboardManager(const QString& platformName, const QString& waylandDisplay)
{
    return platformName == QLatin1String("xcb") && waylandDisplay.isEmpty();
}

namespace {
// How long a keeper that has gone to the background may take to own the
// clipboard, and a manager that has answered the hand-over.
constexpr qint64 kKeeperOwnerTimeoutMs = 2000;
constexpr qint64 kManagerOwnerTimeoutMs = 500;
// How long reading the clipboard back may take.
constexpr int kReadBackTimeoutMs = 2000;

// A connection of its own to the X display the clipboard lives on (the
// program's own, or under native Wayland the session's XWayland display): its events are read here, not by
// Qt, while Qt's connection goes on answering for the program's clipboard.
class XConnection {
public:
    XConnection()
    {
        const QByteArray name = xDisplayName().toLocal8Bit();
        if (!name.isEmpty())
            display_ = XOpenDisplay(name.constData());
    }
    ~XConnection()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* display() const { return display_; }
    Atom atom(const char* name) const { return XInternAtom(display_, name, False); }
    Window owner(const char* selection) const { return XGetSelectionOwner(display_, atom(selection)); }

private:
    Display* display_ = nullptr;
};

// A window of its own to receive a selection's answer on, gone with it.
class Requestor {
public:
    Requestor(Display* d, long eventMask)
        : display_(d), window_(XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0))
    {
        XSelectInput(d, window_, eventMask);
    }
    ~Requestor()
    {
        XDestroyWindow(display_, window_);
        XFlush(display_);
    }
    Requestor(const Requestor&) = delete;
    Requestor& operator=(const Requestor&) = delete;
    Window window() const { return window_; }

private:
    Display* display_;
    Window window_;
};

// Runs the event loop, user input waiting, and gives each event of the
// connection to `handle` until it says it is done (true) or timeoutMs have
// passed (false). Qt meanwhile answers for the program's clipboard.
bool handleEvents(Display* d, int timeoutMs, const std::function<bool(const XEvent&)>& handle)
{
    bool done = false;
    QEventLoop loop;
    const auto readEvents = [&] {
        while (!done && XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            done = handle(event);
        }
        if (done)
            loop.quit();
    };
    QSocketNotifier notifier(ConnectionNumber(d), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, readEvents);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    readEvents();
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done;
}

// Asks the owner of CLIPBOARD_MANAGER to save the clipboard (SAVE_TARGETS
// with no list: every target) and waits for its answer. The manager fetches
// the text from the program meanwhile.
bool askManagerToSave(const XConnection& x, int timeoutMs)
{
    Display* d = x.display();
    const Requestor requestor(d, NoEventMask);
    XConvertSelection(d, x.atom("CLIPBOARD_MANAGER"), x.atom("SAVE_TARGETS"), x.atom("VELTRASA_SAVED"),
                      requestor.window(), CurrentTime);
    XFlush(d);
    bool saved = false;
    handleEvents(d, timeoutMs, [&](const XEvent& event) {
        if (event.type != SelectionNotify || event.xselection.requestor != requestor.window())
            return false;
        saved = event.xselection.property != None;
        return true;
    });
    return saved;
}

// Takes a property's value off the window (deleting it, which in an
// incremental transfer asks for the next piece); its type in `type`.
QByteArray takeProperty(Display* d, Window window, Atom property, Atom* type)
{
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    *type = None;
    if (XGetWindowProperty(d, window, property, 0, 0x1FFFFFFF, True, AnyPropertyType, type, &format, &items, &remaining,
                           &data) != Success)
        return {};
    QByteArray value;
    if (data && format == 8)
        value = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(items));
    if (data)
        XFree(data);
    return value;
}

// The clipboard's text (UTF8_STRING) as its owner serves it, also in
// pieces (INCR); none when the owner refuses or does not finish in time.
std::optional<QByteArray> readClipboard(const XConnection& x, int timeoutMs)
{
    Display* d = x.display();
    const Requestor requestor(d, PropertyChangeMask);
    const Atom property = x.atom("VELTRASA_READ_BACK");
    const Atom incr = x.atom("INCR");
    XConvertSelection(d, x.atom("CLIPBOARD"), x.atom("UTF8_STRING"), property, requestor.window(), CurrentTime);
    XFlush(d);
    QByteArray text;
    bool inPieces = false;
    bool whole = false;
    handleEvents(d, timeoutMs, [&](const XEvent& event) {
        Atom type = None;
        if (event.type == SelectionNotify && event.xselection.requestor == requestor.window() && !inPieces) {
            if (event.xselection.property == None)
                return true;
            // An INCR property's value is a size (32-bit), taken as no text.
            text = takeProperty(d, requestor.window(), property, &type);
            inPieces = type == incr;
            whole = !inPieces;
            return whole;
        }
        if (inPieces && event.type == PropertyNotify && event.xproperty.window == requestor.window() &&
            event.xproperty.atom == property && event.xproperty.state == PropertyNewValue) {
            const QByteArray piece = takeProperty(d, requestor.window(), property, &type);
            if (piece.isEmpty()) {
                whole = true;
                return true;
            }
            text += piece;
        }
        return false;
    });
    if (!whole)
        return std::nullopt;
    return text;
}

// Milliseconds left before `deadline`, at most `atMost`.
int leftMs(QDeadlineTimer deadline, qint64 atMost)
{
    return int(std::clamp<qint64>(deadline.remainingTime(), 0, atMost));
}

// Whether the clipboard has passed from `before` (the program, or whoever
// owned it when the keeper was asked) to another owner within timeoutMs,
// and that owner serves exactly the text before `deadline`. An owner that
// does not answer in time has not taken the text over.
bool takenOver(const XConnection& x, Window before, const QByteArray& utf8, qint64 timeoutMs, QDeadlineTimer deadline)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Window owner = x.owner("CLIPBOARD");
        if (owner != None && owner != before)
            break;
        if (waited.elapsed() > timeoutMs || deadline.hasExpired())
            return false;
        QEventLoop pause;
        runEventLoop(pause, 20);
    }
    return readClipboard(x, leftMs(deadline, kReadBackTimeoutMs)) == utf8;
}
} // namespace

bool DesktopClipboardKeeping::handOverToManager(const QByteArray& utf8, QDeadlineTimer deadline)
{
    if (!asksClipboardManager(QGuiApplication::platformName(), qEnvironmentVariable("WAYLAND_DISPLAY")))
        return false;
    const XConnection x;
    if (!x.display() || x.owner("CLIPBOARD_MANAGER") == None)
        return false;
    // A manager that answers without having taken the clipboard over (or
    // serves something else) has not kept it: the keeper is asked then.
    const Window program = x.owner("CLIPBOARD");
    return askManagerToSave(x, leftMs(deadline, managerTimeoutMs_)) &&
           takenOver(x, program, utf8, kManagerOwnerTimeoutMs, deadline);
}

bool DesktopClipboardKeeping::startKeeper(const QByteArray& utf8, QDeadlineTimer deadline)
{
    const XConnection x;
    if (!x.display())
        return false;
    const auto keeper = keeperFor(QGuiApplication::platformName(), xDisplayName());
    if (!keeper)
        return false;
    // xclip asks for the clipboard, goes to the background and sends the
    // request from there.
    const Window before = x.owner("CLIPBOARD");
    return runKeeper(*keeper, utf8, leftMs(deadline, kCopyCheckMs)) &&
           takenOver(x, before, utf8, kKeeperOwnerTimeoutMs, deadline);
}

} // namespace veltrasa
