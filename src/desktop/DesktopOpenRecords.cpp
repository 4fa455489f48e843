#include "desktop/DesktopOpenRecords.h"
#include "desktop/X11Display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <X11/Xlib.h>

namespace veltrasa {

namespace {
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

// The Wayland compositor's socket as the system knows it, its device and
// inode, whatever path names it; empty where there is none.
QByteArray waylandIdentity(const QString& display)
{
    if (display.isEmpty())
        return {};
    const QString path =
        QDir::isAbsolutePath(display) ? display : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + display;
    struct stat socket {};
    if (::stat(QFile::encodeName(path).constData(), &socket) != 0)
        return {};
    return "wayland-" + QByteArray::number(quint64(socket.st_dev)) + '-' + QByteArray::number(quint64(socket.st_ino));
}
} // namespace

// The places of one display. While locked no other start claims a place.
class DesktopOpenRecords::Places {
public:
    virtual ~Places() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Whether another program holds the place.
    virtual bool held(int place) = 0;
    virtual bool take(int place) = 0;
    // Asks the program holding the place for its window.
    virtual void raise(int place) = 0;
    // Where requests for this program's window arrive, once it holds a place.
    virtual int requestSocket() const = 0;
    // Takes the requests that arrived; true when there was one.
    virtual bool takeRequests() = 0;
};

namespace {
// Places as abstract Unix sockets named `prefix` and the place.
class SocketPlaces final : public DesktopOpenRecords::Places {
public:
    explicit SocketPlaces(QByteArray prefix) : prefix_(std::move(prefix)) {}
    ~SocketPlaces() override
    {
        if (socket_ >= 0)
            ::close(socket_);
    }
    SocketPlaces(const SocketPlaces&) = delete;
    SocketPlaces& operator=(const SocketPlaces&) = delete;

    void lock() override
    {
        // A start that has stopped while claiming holds the others up for a
        // second at the most.
        QElapsedTimer waited;
        waited.start();
        while ((lock_ = listenAt(prefix_ + "claiming")) < 0 && errno == EADDRINUSE && waited.elapsed() < 1000)
            QThread::msleep(5);
    }
    void unlock() override
    {
        if (lock_ >= 0)
            ::close(lock_);
        lock_ = -1;
    }
    bool held(int place) override
    {
        const int socket = listenAt(name(place));
        if (socket < 0)
            return errno == EADDRINUSE;
        ::close(socket);
        return false;
    }
    bool take(int place) override
    {
        socket_ = listenAt(name(place));
        return socket_ >= 0;
    }
    void raise(int place) override
    {
        const int socket = unixSocket(0);
        if (socket < 0)
            return;
        // A program that has stopped still takes the connection (the system
        // queues it); the timeout is for one whose queue is full.
        const timeval timeout{kRaiseTimeoutMs / 1000, suseconds_t(kRaiseTimeoutMs % 1000) * 1000};
        const AbstractAddress address(name(place));
        // Whether the request arrived changes nothing: the program ends either way.
        if (::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout) == 0)
            static_cast<void>(::connect(socket, address.get(), address.length));
        ::close(socket);
    }
    int requestSocket() const override { return socket_; }
    bool takeRequests() override
    {
        // A connection is the request: nothing is read.
        bool asked = false;
        for (int connection; (connection = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; asked = true)
            ::close(connection);
        return asked;
    }

private:
    static constexpr int kRaiseTimeoutMs = DesktopOpenRecords::kRaiseTimeoutMs;
    QByteArray name(int place) const { return prefix_ + QByteArray::number(place); }

    QByteArray prefix_;
    int socket_ = -1; // listening at the place held
    int lock_ = -1;
};

int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// Places as selections of an X display, held by a window of a connection
// of the program's own, which lives as long as the program.
class XPlaces final : public DesktopOpenRecords::Places {
public:
    static std::unique_ptr<XPlaces> open(const QString& display)
    {
        Display* d = XOpenDisplay(display.toLocal8Bit().constData());
        return d ? std::make_unique<XPlaces>(d) : nullptr;
    }
    explicit XPlaces(Display* d)
        : display_(d), window_(XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0))
    {
        // The places', then the request's.
        std::vector<QByteArray> names(DesktopOpenRecords::kPlaces + 1, QByteArrayLiteral("_VELTRASA_RAISE"));
        std::vector<char*> pointers;
        for (std::size_t place = 0; place < names.size(); ++place) {
            if (place < DesktopOpenRecords::kPlaces)
                names[place] = "_VELTRASA_RECORD_" + QByteArray::number(::getuid()) + '_' + QByteArray::number(place);
            pointers.push_back(names[place].data());
        }
        atoms_.resize(names.size());
        XInternAtoms(display_, pointers.data(), int(pointers.size()), False, atoms_.data());
    }
    ~XPlaces() override { XCloseDisplay(display_); } // gives up the place held
    XPlaces(const XPlaces&) = delete;
    XPlaces& operator=(const XPlaces&) = delete;

    void lock() override { XGrabServer(display_); }
    void unlock() override
    {
        XUngrabServer(display_);
        XSync(display_, False);
    }
    bool held(int place) override { return XGetSelectionOwner(display_, atoms_[place]) != None; }
    bool take(int place) override
    {
        XSetSelectionOwner(display_, atoms_[place], window_, CurrentTime);
        return XGetSelectionOwner(display_, atoms_[place]) == window_;
    }
    void raise(int place) override
    {
        const Window owner = XGetSelectionOwner(display_, atoms_[place]);
        if (owner == None)
            return;
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = owner;
        request.xclient.message_type = atoms_.back();
        request.xclient.format = 32;
        // The owner may have ended meanwhile: its window is gone then.
        const auto handler = XSetErrorHandler(ignoreXError);
        XSendEvent(display_, owner, False, NoEventMask, &request);
        XSync(display_, False);
        XSetErrorHandler(handler);
    }
    int requestSocket() const override { return ConnectionNumber(display_); }
    bool takeRequests() override
    {
        bool asked = false;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == ClientMessage && event.xclient.message_type == atoms_.back()) {
                asked = true;
            } else if (event.type == SelectionRequest) {
                // A place holds nothing to be read.
                const XSelectionRequestEvent& request = event.xselectionrequest;
                XEvent refusal{};
                refusal.xselection = {
                    SelectionNotify, 0,    True,        display_, request.requestor, request.selection,
                    request.target,  None, request.time};
                XSendEvent(display_, request.requestor, False, NoEventMask, &refusal);
                XFlush(display_);
            }
        }
        return asked;
    }

private:
    Display* display_;
    Window window_;
    std::vector<Atom> atoms_; // the places', then the request's
};
} // namespace

DesktopOpenRecords::DesktopOpenRecords() : DesktopOpenRecords(xDisplayName(), qEnvironmentVariable("WAYLAND_DISPLAY"))
{
}

DesktopOpenRecords::DesktopOpenRecords(const QString& xDisplay, const QString& waylandDisplay)
{
    if (!xDisplay.isEmpty())
        places_ = XPlaces::open(xDisplay);
    const QByteArray wayland = waylandIdentity(waylandDisplay);
    if (!places_ && !wayland.isEmpty())
        places_ = std::make_unique<SocketPlaces>("veltrasa-" + QByteArray::number(::getuid()) + '-' + wayland + '-');
}

DesktopOpenRecords::~DesktopOpenRecords() = default;

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
    if (place_ || !places_)
        return place_.value_or(0); // where no place can be held, no record can be told from another
    // The lowest free place is this program's; the rest are looked at too,
    // as records at higher places stay open when one at a lower place ends.
    // No other start looks or takes meanwhile.
    places_->lock();
    others_.clear();
    for (int place = 0; place < kPlaces; ++place) {
        if (places_->held(place))
            others_.push_back(place);
    }
    if (claimHook_)
        claimHook_();
    const bool every = int(others_.size()) == kPlaces;
    if (!every && !(onlyIfAlone && !others_.empty())) {
        int free = 0;
        while (std::find(others_.begin(), others_.end(), free) != others_.end())
            ++free;
        if (places_->take(free))
            place_ = free;
    }
    places_->unlock();
    if (!place_) {
        if (onlyIfAlone && !others_.empty())
            return std::nullopt;
        return every ? kPlaces : 0;
    }
    requests_ = new QSocketNotifier(places_->requestSocket(), QSocketNotifier::Read, this);
    connect(requests_, &QSocketNotifier::activated, this, &DesktopOpenRecords::takeRequests);
    return place_;
}

void DesktopOpenRecords::takeRequests()
{
    if (places_->takeRequests())
        emit raiseRequested();
}

void DesktopOpenRecords::raiseOpenRecord()
{
    if (places_ && !others_.empty())
        places_->raise(others_.front());
}

} // namespace veltrasa
