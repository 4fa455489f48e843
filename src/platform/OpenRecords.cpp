#include "platform/OpenRecords.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <unistd.h>

namespace veltrasa {

namespace {
// Far more records than anyone keeps at once; only a folder that refuses
// every lock file could take the search that far.
constexpr int kMostPlaces = 100;

// The display the program shows on, as it may stand in a file name.
QString displayName()
{
    QString name = qEnvironmentVariable("DISPLAY");
    if (name.isEmpty())
        name = qEnvironmentVariable("WAYLAND_DISPLAY");
    for (QChar& c : name)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-')
            c = u'_';
    return name;
}

std::unique_ptr<QLockFile> lockFile(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A record lasts as long as the resuscitation: only a lock whose program
    // has gone is stale, never one that is merely old.
    lock->setStaleLockTime(0);
    return lock;
}
} // namespace

DesktopOpenRecords::DesktopOpenRecords(QString folder, QString display)
{
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (display.isEmpty())
        display = displayName();
    if (!folder.isEmpty())
        prefix_ = QStringLiteral("%1/veltrasa-%2-%3-").arg(folder).arg(::getuid()).arg(display);
}

DesktopOpenRecords::~DesktopOpenRecords()
{
    // The socket goes before the lock, so that whoever finds the place
    // free finds no socket either.
    delete server_;
}

QString DesktopOpenRecords::path(int place, const char* suffix) const
{
    return prefix_ + QString::number(place) + QLatin1String(suffix);
}

std::optional<int> DesktopOpenRecords::claimIfAlone()
{
    return claimPlace(true);
}

int DesktopOpenRecords::claim()
{
    return claimPlace(false).value_or(0);
}

std::optional<int> DesktopOpenRecords::claimPlace(bool onlyIfAlone)
{
    if (lock_)
        return place_;
    others_.clear();
    if (prefix_.isEmpty())
        return 0;
    // The places with a lock file: held, or left by a program that was killed.
    std::vector<int> present;
    const QFileInfo prefix(prefix_);
    const QStringList names =
        prefix.dir().entryList({prefix.fileName() + QStringLiteral("*.lock")}, QDir::Files | QDir::System);
    for (const QString& name : names) {
        bool number = false;
        const int place = name.mid(prefix.fileName().size()).chopped(5).toInt(&number);
        if (number && place >= 0)
            present.push_back(place);
    }

    // The lowest free place. A program started at the same moment tries the
    // same places in the same order, so one of the two finds the other's.
    int place = 0;
    std::unique_ptr<QLockFile> lock;
    for (; place < kMostPlaces; ++place) {
        lock = lockFile(path(place, ".lock"));
        if (lock->tryLock(0))
            break;
        if (lock->error() != QLockFile::LockFailedError)
            return 0; // no lock can be made here: no record can be told from another
        others_.push_back(place);
    }
    if (place == kMostPlaces)
        return onlyIfAlone ? std::nullopt : std::optional<int>(0);
    // Higher places, left over when a record at a lower one ended.
    for (const int higher : present)
        if (higher > place && heldByAnother(higher))
            others_.push_back(higher);
    if (onlyIfAlone && !others_.empty())
        return std::nullopt; // the place is given up again with the lock
    lock_ = std::move(lock);
    place_ = place;
    listen();
    return place;
}

bool DesktopOpenRecords::heldByAnother(int place) const
{
    const auto probe = lockFile(path(place, ".lock"));
    if (probe->tryLock(0)) {
        // Left by a program that was killed: its socket goes with the lock.
        QLocalServer::removeServer(path(place, ".socket"));
        return false;
    }
    return probe->error() == QLockFile::LockFailedError;
}

void DesktopOpenRecords::listen()
{
    const QString name = path(place_, ".socket");
    // A socket left at this place by a program that was killed: the lock
    // says that no program listens there any more.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket the record runs all the same; it cannot be
    // brought to the front by another start, which still asks its question.
    if (!server_->listen(name))
        return;
    // A connection is the request: nothing is read.
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* request = server_->nextPendingConnection()) {
            request->abort();
            request->deleteLater();
        }
        emit raiseRequested();
    });
}

void DesktopOpenRecords::raiseOpenRecord()
{
    if (others_.empty())
        return;
    QLocalSocket socket;
    socket.connectToServer(path(*std::min_element(others_.begin(), others_.end()), ".socket"));
    // A program that has stopped still takes the connection (the system
    // queues it); the timeout is for a system that does not.
    if (socket.waitForConnected(kRaiseTimeoutMs))
        socket.disconnectFromServer();
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
