#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QDBusPendingCall;
class QDBusMessage;
class QDBusPendingCallWatcher;

#include "platform/DisplayKeeper.h"

namespace veltrasa {

// Asks the desktop's org.freedesktop.ScreenSaver service on the session
// bus to hold off blanking (GNOME, Plasma); where no such service answers,
// the desktop portal (org.freedesktop.portal.Inhibit, idle), which Wayland
// desktops without the service offer; where neither answers, suspends the X
// screen saver through the X11 screen-saver extension (which does nothing
// under XWayland).
class DesktopDisplayKeeper final : public QObject, public DisplayKeeper {
    Q_OBJECT
public:
    DesktopDisplayKeeper();
    ~DesktopDisplayKeeper() override;
    void keepAwake() override;
    void release() override;

    // How long a silent service may hold up the answer to the request, and
    // the release at the end of the program.
    static constexpr int kInhibitTimeoutMs = 2000;
    static constexpr int kUnInhibitTimeoutMs = 1000;

private:
    enum class State { Idle, Asking, AskingPortal, Inhibited, PortalInhibited, XSuspended, Released };
    void ask(const QDBusMessage& call, State asking);
    void takeAnswer(QDBusPendingCallWatcher* watcher);
    bool take(const QDBusPendingCall& answer);
    void fallBack();
    bool suspendXScreenSaver(bool suspend);

    State state_ = State::Idle;
    uint cookie_ = 0;
    QString portalRequest_; // the portal's handle of the request
    std::unique_ptr<QDBusPendingCallWatcher> pending_;
};

} // namespace veltrasa
