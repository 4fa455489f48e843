#include "platform/DisplayKeeper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

#include "platform/MessageBox.h"

#ifdef VELTRASA_HAVE_XSS
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

namespace veltrasa {
namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");

QDBusMessage screenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
} // namespace

DesktopDisplayKeeper::DesktopDisplayKeeper() = default;

DesktopDisplayKeeper::~DesktopDisplayKeeper()
{
    release();
}

void DesktopDisplayKeeper::keepAwake()
{
    if (state_ != State::Idle)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        state_ = suspendXScreenSaver(true) ? State::XSuspended : State::Released;
        return;
    }
    // Asked without waiting: the answer arrives through the event loop, so
    // a slow or absent service never holds up the window.
    QDBusMessage inhibit = screenSaverCall(QStringLiteral("Inhibit"));
    inhibit << applicationTitle() << QStringLiteral("蘇生記録中");
    state_ = State::Asking;
    pending_ = std::make_unique<QDBusPendingCallWatcher>(bus.asyncCall(inhibit, kInhibitTimeoutMs));
    connect(pending_.get(), &QDBusPendingCallWatcher::finished, this, &DesktopDisplayKeeper::takeAnswer);
}

void DesktopDisplayKeeper::takeAnswer(QDBusPendingCallWatcher* watcher)
{
    if (state_ != State::Asking || watcher != pending_.get())
        return;
    if (!takeCookie(*watcher))
        state_ = suspendXScreenSaver(true) ? State::XSuspended : State::Released;
    pending_.release()->deleteLater();
}

bool DesktopDisplayKeeper::takeCookie(const QDBusPendingCall& answer)
{
    const QDBusPendingReply<uint> reply = answer;
    if (!reply.isValid())
        return false;
    cookie_ = reply.value();
    state_ = State::Inhibited;
    return true;
}

void DesktopDisplayKeeper::release()
{
    if (state_ == State::Asking && pending_) {
        // The program is ending before the desktop answered: the answer is
        // awaited (bounded by the call's timeout) so a cookie handed out
        // now is not left holding the screen awake. The watcher goes first
        // so the answer is taken here only.
        QDBusPendingCall answer = *pending_;
        pending_.reset();
        answer.waitForFinished();
        if (!takeCookie(answer))
            state_ = State::Released;
    }
    if (state_ == State::Inhibited) {
        QDBusMessage unInhibit = screenSaverCall(QStringLiteral("UnInhibit"));
        unInhibit << cookie_;
        QDBusConnection::sessionBus().call(unInhibit, QDBus::Block, kUnInhibitTimeoutMs);
    } else if (state_ == State::XSuspended) {
        suspendXScreenSaver(false);
    }
    state_ = State::Released;
}

bool DesktopDisplayKeeper::suspendXScreenSaver(bool suspend)
{
#ifdef VELTRASA_HAVE_XSS
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Suspending needs version 1.1 of the extension.
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase) ||
        !XScreenSaverQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 1))
        return false;
    XScreenSaverSuspend(display, suspend ? True : False);
    XFlush(display);
    return true;
#else
    Q_UNUSED(suspend);
    return false;
#endif
}

} // namespace veltrasa
