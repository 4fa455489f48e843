#include "platform/ClipboardKeeper.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <unistd.h>

#ifdef VELTRASA_HAVE_X11
#include <X11/Xlib.h>
#endif

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
    bool writeFailed = false;
    QObject::connect(&process, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
        if (error == QProcess::WriteError)
            writeFailed = true;
    });
    process.start(QIODevice::WriteOnly);
    if (!process.waitForStarted(timeoutMs))
        return false;
    process.write(utf8);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(timeoutMs);
        return false;
    }
    return !writeFailed && process.bytesToWrite() == 0 && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

namespace {
#ifdef VELTRASA_HAVE_X11
// How long a keeper that has gone to the background may take to own the
// clipboard.
constexpr qint64 kOwnerTimeoutMs = 2000;

// The name of the X display the clipboard lives on: the program's own, or
// under native Wayland the session's XWayland display.
QString xDisplayName()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (x11 && x11->display())
            return QString::fromLocal8Bit(XDisplayString(x11->display()));
    }
    return qEnvironmentVariable("DISPLAY");
}

// A connection of its own to that display: its events are read here, not by
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

// Asks the owner of CLIPBOARD_MANAGER to save the clipboard (SAVE_TARGETS
// with no list: every target) and waits for its answer. The manager fetches
// the text from the program meanwhile, which Qt answers in the event loop
// run here; user input waits.
bool askManagerToSave(const XConnection& x, int timeoutMs)
{
    Display* d = x.display();
    const Window requestor = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(d, x.atom("CLIPBOARD_MANAGER"), x.atom("SAVE_TARGETS"), x.atom("VELTRASA_SAVED"), requestor,
                      CurrentTime);
    XFlush(d);

    std::optional<bool> saved;
    QEventLoop loop;
    const auto readAnswer = [&] {
        while (!saved && XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == SelectionNotify && event.xselection.requestor == requestor)
                saved = event.xselection.property != None;
        }
        if (saved)
            loop.quit();
    };
    QSocketNotifier notifier(ConnectionNumber(d), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, readAnswer);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    readAnswer();
    if (!saved)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    XDestroyWindow(d, requestor);
    XFlush(d);
    return saved.value_or(false);
}
#endif
} // namespace

bool DesktopClipboardKeeping::handOverToManager()
{
#ifdef VELTRASA_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    const XConnection x;
    if (!x.display() || x.owner("CLIPBOARD_MANAGER") == None)
        return false;
    return askManagerToSave(x, managerTimeoutMs_);
#else
    return false;
#endif
}

bool DesktopClipboardKeeping::startKeeper(const QByteArray& utf8)
{
#ifdef VELTRASA_HAVE_X11
    const XConnection x;
    if (!x.display())
        return false;
    const auto keeper = keeperFor(QGuiApplication::platformName(), xDisplayName());
    if (!keeper)
        return false;
    // xclip asks for the clipboard, goes to the background and sends the
    // request from there: it serves the text once the owner is neither
    // nobody nor the window that owned the clipboard before.
    const Window before = x.owner("CLIPBOARD");
    if (!runKeeper(*keeper, utf8))
        return false;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Window owner = x.owner("CLIPBOARD");
        if (owner != None && owner != before)
            return true;
        if (waited.elapsed() > kOwnerTimeoutMs)
            return false;
        QThread::msleep(20);
    }
#else
    Q_UNUSED(utf8);
    return false;
#endif
}

} // namespace veltrasa
