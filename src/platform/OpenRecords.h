#pragma once
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

class QSocketNotifier;
class QWidget;

namespace veltrasa {

// The records one user has open on one display, one a program. Each holds a
// place, 0, 1, 2 ...: the lowest free one when it was claimed, and where its
// window opens (0 in the middle of the screen, further places cascaded, see
// fitWindow).
class OpenRecords {
public:
    virtual ~OpenRecords() = default;
    // Claims a place for this program's record if no other record is open,
    // and says which; nothing if another is open. Where the records cannot
    // be told apart the program is alone.
    virtual std::optional<int> claimIfAlone() = 0;
    // Claims the lowest free place, whatever else is open.
    virtual int claim() = 0;
    // Asks the program of the open record at the lowest place (the first
    // record, as a rule) to bring its window to the front. Returns at once,
    // or after a second at the most where that program does not respond.
    virtual void raiseOpenRecord() = 0;
};

// The records of the user's programs on this desktop. A place is a Unix
// socket in Linux's abstract namespace, named after the program, the user,
// the display (DISPLAY, or WAYLAND_DISPLAY without one) and the place; the
// program holding the place listens on it. The system gives the name up
// when the program ends, whichever way, so nothing is left behind, a
// program that was killed leaves nothing in the way, and no file is
// written. A connection to the socket asks the program to bring its window
// to the front (raiseRequested). Plain sockets rather than QLocalServer:
// Qt's network library and the eight it loads would add milliseconds and
// more than a megabyte to every start.
class DesktopOpenRecords final : public QObject, public OpenRecords {
    Q_OBJECT
public:
    // `display` empty: the one the program shows on.
    explicit DesktopOpenRecords(const QString& display = QString());
    ~DesktopOpenRecords() override;
    DesktopOpenRecords(const DesktopOpenRecords&) = delete;
    DesktopOpenRecords& operator=(const DesktopOpenRecords&) = delete;
    std::optional<int> claimIfAlone() override;
    int claim() override;
    void raiseOpenRecord() override;

    // Places told apart; a start beyond them, when every one is held, opens
    // its record unseen by later starts.
    static constexpr int kPlaces = 8;
    // The longest raiseOpenRecord waits for the other program.
    static constexpr int kRaiseTimeoutMs = 1000;

signals:
    // Another start asked for this record's window.
    void raiseRequested();

private:
    std::optional<int> claimPlace(bool onlyIfAlone);
    void takeRequests();
    QByteArray name(int place) const;

    QByteArray prefix_;
    std::vector<int> others_;
    int socket_ = -1; // listening at place_
    int place_ = -1;
    QSocketNotifier* requests_ = nullptr;
};

// Brings a program's window to the front: shown again if minimised, raised
// and activated (where the window manager lets a program do so), with the
// dialog open over it, if any, on top.
void bringToFront(QWidget& window);

} // namespace veltrasa
