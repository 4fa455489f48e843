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

} // namespace veltrasa
