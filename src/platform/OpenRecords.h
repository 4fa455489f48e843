#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLocalServer;
class QLockFile;
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
    // be told apart (no folder to keep them in) the program is alone.
    virtual std::optional<int> claimIfAlone() = 0;
    // Claims the lowest free place, whatever else is open.
    virtual int claim() = 0;
    // Asks the program of the open record at the lowest place (the first
    // record, as a rule) to bring its window to the front. Returns at once,
    // or after a second at the most where that program does not respond.
    virtual void raiseOpenRecord() = 0;
};

// The records of the user's programs on this desktop, known by lock files
// and local sockets in the user's runtime folder (XDG_RUNTIME_DIR), named
// after the user and the display (DISPLAY, or WAYLAND_DISPLAY without one).
// A place is held by its lock file (QLockFile: a program that was killed
// leaves a stale one, which the next claim removes); the program holding
// it listens on the place's socket, and a connection to it asks it to
// bring its window to the front (raiseRequested). Nothing is kept once the
// program has ended.
class DesktopOpenRecords final : public QObject, public OpenRecords {
    Q_OBJECT
public:
    // `folder` empty: the user's runtime folder; `display` empty: the one the
    // program shows on.
    explicit DesktopOpenRecords(QString folder = QString(), QString display = QString());
    ~DesktopOpenRecords() override;
    std::optional<int> claimIfAlone() override;
    int claim() override;
    void raiseOpenRecord() override;

    // The longest raiseOpenRecord waits for the other program.
    static constexpr int kRaiseTimeoutMs = 1000;

signals:
    // Another start asked for this record's window.
    void raiseRequested();

private:
    std::optional<int> claimPlace(bool onlyIfAlone);
    bool heldByAnother(int place) const;
    void listen();
    QString path(int place, const char* suffix) const;

    QString prefix_; // the folder and the first part of every name
    std::vector<int> others_;
    std::unique_ptr<QLockFile> lock_;
    int place_ = 0;
    QLocalServer* server_ = nullptr;
};

// Brings a program's window to the front: shown again if minimised, raised
// and activated (where the window manager lets a program do so), with the
// dialog open over it, if any, on top.
void bringToFront(QWidget& window);

} // namespace veltrasa
