#include "platform/OpenRecords.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace veltrasa {

namespace {
// The display the program shows on.
QString displayName()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    return x11.isEmpty() ? qEnvironmentVariable("WAYLAND_DISPLAY") : x11;
}

// A Unix socket, for listening or for one connection.
int unixSocket(int flags)
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
}

// `name` in the abstract namespace: the path starts with a zero byte, and
// only the bytes of the name count.
struct AbstractAddress {
    explicit AbstractAddress(const QByteArray& name)
    {
        address.sun_family = AF_UNIX;
        const auto bytes = std::min<std::size_t>(name.size(), sizeof(address.sun_path) - 1);
        std::memcpy(address.sun_path + 1, name.constData(), bytes);
        length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + bytes);
    }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }
    sockaddr_un address{};
    socklen_t length;
};

// A socket listening at `name`, or -1 with errno set (EADDRINUSE where
// another program listens there).
int listenAt(const QByteArray& name)
{
    const int socket = unixSocket(SOCK_NONBLOCK);
    if (socket < 0)
        return -1;
    const AbstractAddress address(name);
    if (::bind(socket, address.get(), address.length) == 0 && ::listen(socket, 8) == 0)
        return socket;
    const int error = errno;
    ::close(socket);
    errno = error;
    return -1;
}
} // namespace

DesktopOpenRecords::DesktopOpenRecords(const QString& display)
    : prefix_(
          QStringLiteral("veltrasa-%1-%2-").arg(::getuid()).arg(display.isEmpty() ? displayName() : display).toUtf8())
{
}

DesktopOpenRecords::~DesktopOpenRecords()
{
    if (socket_ >= 0)
        ::close(socket_);
}

QByteArray DesktopOpenRecords::name(int place) const
{
    return prefix_ + QByteArray::number(place);
}

std::optional<int> DesktopOpenRecords::claimIfAlone()
{
    return claimPlace(true);
}

int DesktopOpenRecords::claim()
{
    return claimPlace(false).value_or(kPlaces);
}

std::optional<int> DesktopOpenRecords::claimPlace(bool onlyIfAlone)
{
    if (socket_ >= 0)
        return place_;
    others_.clear();
    // The lowest free place is this program's; the rest are looked at too,
    // as records at higher places stay open when one at a lower place ends.
    // A program started at the same moment tries the same places in the
    // same order, so one of the two finds the other's.
    for (int place = 0; place < kPlaces; ++place) {
        const int socket = listenAt(name(place));
        if (socket >= 0 && socket_ < 0) {
            socket_ = socket;
            place_ = place;
        } else if (socket >= 0) {
            ::close(socket); // free: only looked at
        } else if (errno == EADDRINUSE) {
            others_.push_back(place);
        } else if (socket_ < 0) {
            return 0; // no place can be held here: no record can be told from another
        }
    }
    if (socket_ < 0)
        return onlyIfAlone ? std::nullopt : std::optional<int>(kPlaces); // every place held
    if (onlyIfAlone && !others_.empty()) {
        ::close(socket_);
        socket_ = -1;
        return std::nullopt;
    }
    requests_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(requests_, &QSocketNotifier::activated, this, &DesktopOpenRecords::takeRequests);
    return place_;
}

void DesktopOpenRecords::takeRequests()
{
    // A connection is the request: nothing is read.
    bool asked = false;
    for (int connection; (connection = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; asked = true)
        ::close(connection);
    if (asked)
        emit raiseRequested();
}

void DesktopOpenRecords::raiseOpenRecord()
{
    if (others_.empty())
        return;
    const int socket = unixSocket(0);
    if (socket < 0)
        return;
    // A program that has stopped still takes the connection (the system
    // queues it); the timeout is for one whose queue is full.
    const timeval timeout{kRaiseTimeoutMs / 1000, suseconds_t(kRaiseTimeoutMs % 1000) * 1000};
    const AbstractAddress address(name(*std::min_element(others_.begin(), others_.end())));
    // Whether the request arrived changes nothing: the program ends either way.
    if (::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout) == 0)
        static_cast<void>(::connect(socket, address.get(), address.length));
    ::close(socket);
}

void bringToFront(QWidget& window)
{
    // Once the record has ended its window is gone for good.
    if (!window.isVisible())
        return;
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
    // A question, the edit window or the save dialog open over the window
    // stays over it.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

} // namespace veltrasa
