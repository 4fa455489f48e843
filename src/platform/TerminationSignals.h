#pragma once
#include <QObject>

class QSocketNotifier;

namespace veltrasa {

// The polite requests to end the program that the system and the desktop
// session send (SIGTERM at shut-down or from `kill`, SIGHUP when the session
// goes, SIGINT from a terminal), delivered as a Qt signal on the
// user-interface thread. Left to their default action they would end the
// program at once and lose the record; connected to the main window's close,
// they end the record the normal way instead.
//
// While an instance exists it owns the handlers of these signals; its
// destructor puts back the handlers that were there before. One instance at
// a time.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False if the handlers could not be installed (the default actions
    // then stay in force).
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace veltrasa
