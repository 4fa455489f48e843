#include "desktop/DesktopDisplayKeeper.h"
#include "common/Texts.h"
#include "desktop/X11Display.h"
#include "platform/MessageBox.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace veltrasa {
namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kReason = QString::fromUtf16(texts::kScreenSaverInhibitReason);

QDBusMessage screenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

// The portal's Inhibit for the session going idle (flag 8). It answers with
// the handle of a request, which lasts until it is closed.
QDBusMessage portalInhibit()
{
    QDBusMessage inhibit =
        QDBusMessage::createMethodCall(kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
                                       QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
    constexpr uint kIdle = 8;
    // No window: the request is the program's, whichever window shows.
    inhibit << QString() << kIdle << QVariantMap{{QStringLiteral("reason"), kReason}};
    return inhibit;
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
    if (!QDBusConnection::sessionBus().isConnected()) {
        fallBack();
        return;
    }
    QDBusMessage inhibit = screenSaverCall(QStringLiteral("Inhibit"));
    inhibit << applicationTitle() << kReason;
    ask(inhibit, State::Asking);
}

void DesktopDisplayKeeper::ask(const QDBusMessage& call, State asking)
{
    // Asked without waiting: the answer arrives through the event loop, so
    // a slow or absent service never holds up the window.
    state_ = asking;
    pending_ =
        std::make_unique<QDBusPendingCallWatcher>(QDBusConnection::sessionBus().asyncCall(call, kInhibitTimeoutMs));
    connect(pending_.get(), &QDBusPendingCallWatcher::finished, this, &DesktopDisplayKeeper::takeAnswer);
}

void DesktopDisplayKeeper::takeAnswer(QDBusPendingCallWatcher* watcher)
{
    if (watcher != pending_.get())
        return;
    pending_.release()->deleteLater();
    if (take(*watcher))
        return;
    if (state_ == State::Asking)
        ask(portalInhibit(), State::AskingPortal);
    else
        fallBack();
}

bool DesktopDisplayKeeper::take(const QDBusPendingCall& answer)
{
    if (state_ == State::Asking) {
        const QDBusPendingReply<uint> cookie = answer;
        if (!cookie.isValid())
            return false;
        cookie_ = cookie.value();
        state_ = State::Inhibited;
        return true;
    }
    const QDBusPendingReply<QDBusObjectPath> request = answer;
    if (!request.isValid())
        return false;
    portalRequest_ = request.value().path();
    state_ = State::PortalInhibited;
    return true;
}

void DesktopDisplayKeeper::fallBack()
{
    state_ = suspendXScreenSaver(true) ? State::XSuspended : State::Released;
}

void DesktopDisplayKeeper::release()
{
    if ((state_ == State::Asking || state_ == State::AskingPortal) && pending_) {
        // The program is ending before the desktop answered: the answer is
        // awaited (bounded by the call's timeout) so a cookie or request
        // handed out now is not left holding the screen awake. The watcher
        // goes first so the answer is taken here only.
        QDBusPendingCall answer = *pending_;
        pending_.reset();
        answer.waitForFinished();
        if (!take(answer))
            state_ = State::Released;
    }
    if (state_ == State::Inhibited) {
        QDBusMessage unInhibit = screenSaverCall(QStringLiteral("UnInhibit"));
        unInhibit << cookie_;
        QDBusConnection::sessionBus().call(unInhibit, QDBus::Block, kUnInhibitTimeoutMs);
    } else if (state_ == State::PortalInhibited) {
        const QDBusMessage close = QDBusMessage::createMethodCall(
            kPortalService, portalRequest_, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close"));
        QDBusConnection::sessionBus().call(close, QDBus::Block, kUnInhibitTimeoutMs);
    } else if (state_ == State::XSuspended) {
        suspendXScreenSaver(false);
    }
    state_ = State::Released;
}

bool DesktopDisplayKeeper::suspendXScreenSaver(bool suspend)
{
    Display* display = programXDisplay();
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
}

} // namespace veltrasa
