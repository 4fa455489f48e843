#include "platform/OpenRecords.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <algorithm>
#include <unistd.h>

namespace veltrasa {

namespace {
// The display the program shows on.
QString displayName()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    return x11.isEmpty() ? qEnvironmentVariable("WAYLAND_DISPLAY") : x11;
}
} // namespace

DesktopOpenRecords::DesktopOpenRecords(const QString& display)
    : prefix_(QStringLiteral("veltrasa-%1-%2-").arg(::getuid()).arg(display.isEmpty() ? displayName() : display)),
      server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    // A connection is the request: nothing is read.
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* request = server_->nextPendingConnection()) {
            request->abort();
            request->deleteLater();
        }
        emit raiseRequested();
    });
}

QString DesktopOpenRecords::name(int place) const
{
    return prefix_ + QString::number(place);
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
    if (server_->isListening())
        return place_;
    others_.clear();
    // The lowest free place is this program's; the rest are looked at too,
    // as records at higher places stay open when one at a lower place ends.
    // A program started at the same moment tries the same places in the
    // same order, so one of the two finds the other's.
    QLocalServer probe;
    probe.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    for (int place = 0; place < kPlaces; ++place) {
        QLocalServer& server = server_->isListening() ? probe : *server_;
        if (server.listen(name(place))) {
            if (&server == server_)
                place_ = place;
            else
                probe.close(); // free: only looked at
        } else if (server.serverError() == QAbstractSocket::AddressInUseError) {
            others_.push_back(place);
        } else if (!server_->isListening()) {
            return 0; // no place can be held here: no record can be told from another
        }
    }
    if (!server_->isListening())
        return onlyIfAlone ? std::nullopt : std::optional<int>(kPlaces); // every place held
    if (onlyIfAlone && !others_.empty()) {
        server_->close();
        return std::nullopt;
    }
    return place_;
}

void DesktopOpenRecords::raiseOpenRecord()
{
    if (others_.empty())
        return;
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name(*std::min_element(others_.begin(), others_.end())));
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
