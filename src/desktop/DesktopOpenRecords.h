#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

#include "platform/OpenRecords.h"

namespace veltrasa {

// The records of the user's programs on this desktop, on the display the
// program shows on, told by the display itself rather than by how DISPLAY
// is spelt (":0", ":0.0", "unix:0" and "localhost:0" are one display, two
// X servers two).
//
// On an X display a place is a selection owned by a window of the record's
// own connection (_VELTRASA_RECORD_<uid>_<place>): the X server says who
// holds it whatever name reached it, and gives it up with the connection,
// however the program ends; nothing is written anywhere. A place is
// claimed with the server grabbed, so two starts at the same moment cannot
// each see the other and both ask. A client message on the owner's window
// asks the program to bring its window to the front; it is queued by the
// server, so a program that has stopped holds no one up.
//
// Natively on Wayland, without an X display, a place is a Unix socket in
// Linux's abstract namespace named after the user, the compositor's socket
// (its device and inode, whatever path names it) and the place; the program
// holding the place listens on it, and a connection to it asks for the
// window. Claims are kept one at a time by a further socket held while
// claiming. Plain sockets rather than QLocalServer: Qt's network library and
// the eight it loads would add milliseconds and more than a megabyte to
// every start.
class DesktopOpenRecords final : public QObject, public OpenRecords {
    Q_OBJECT
public:
    // The display the program shows on.
    DesktopOpenRecords();
    // The X display `xDisplay` where it can be reached, else the Wayland
    // socket `waylandDisplay` (a path, or a name in XDG_RUNTIME_DIR).
    explicit DesktopOpenRecords(const QString& xDisplay, const QString& waylandDisplay = QString());
    ~DesktopOpenRecords() override;
    DesktopOpenRecords(const DesktopOpenRecords&) = delete;
    DesktopOpenRecords& operator=(const DesktopOpenRecords&) = delete;
    std::optional<int> claimIfAlone() override;
    int claim() override;
    void raiseOpenRecord() override;

    // For tests: runs while a claim has looked at the places held and not
    // yet taken its own, as a start that is held up there.
    void setClaimHook(std::function<void()> hook) { claimHook_ = std::move(hook); }

    // Places told apart; a start beyond them, when every one is held, opens
    // its record unseen by later starts.
    static constexpr int kPlaces = 8;
    // The longest raiseOpenRecord waits for the other program.
    static constexpr int kRaiseTimeoutMs = 1000;

    // The places of one display, X's or Wayland's.
    class Places;

signals:
    // Another start asked for this record's window.
    void raiseRequested();

private:
    std::optional<int> claimPlace(bool onlyIfAlone);
    void takeRequests();

    std::unique_ptr<Places> places_; // none where records cannot be told apart
    std::function<void()> claimHook_;
    std::vector<int> others_;
    std::optional<int> place_;
    QSocketNotifier* requests_ = nullptr;
};

} // namespace veltrasa
