#pragma once
#include <QObject>
#include <csignal>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

namespace veltrasa {

// POSIX signals delivered as a Qt signal on the user-interface thread. The
// handler only writes the signal's number into a pipe the event loop
// watches, the one thing a handler may safely do.
//
// While an instance exists it owns the handlers of its signals; its
// destructor puts back the handlers that were there before. One instance
// per signal at a time.
class SignalEvents : public QObject {
    Q_OBJECT
public:
    SignalEvents(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~SignalEvents() override;
    SignalEvents(const SignalEvents&) = delete;
    SignalEvents& operator=(const SignalEvents&) = delete;

    // False if the handlers could not be installed (the default actions
    // then stay in force).
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    std::vector<int> signals_;
    std::vector<struct sigaction> previous_;
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

// The polite requests to end the program that the system and the desktop
// session send (SIGTERM at shut-down or from `kill`, SIGHUP when the session
// goes, SIGINT from a terminal). Left to their default action they would end
// the program at once and lose the record; connected to the main window's
// close, they end the record the normal way instead.
class TerminationSignals final : public SignalEvents {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
};

} // namespace veltrasa
