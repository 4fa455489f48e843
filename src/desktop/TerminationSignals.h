#pragma once
#include <QObject>
#include <csignal>

#include "desktop/SignalEvents.h"

namespace veltrasa {

// The polite requests to end the program that the system and the desktop
// session send (SIGTERM at shut-down or from `kill`, SIGHUP when the session
// goes, SIGINT from a terminal). Left to their default action they would end
// the program at once and lose the record; connected to the main window's
// close, they end the record the normal way instead.
class TerminationSignals final : public SignalEvents {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr) : SignalEvents({SIGTERM, SIGHUP, SIGINT}, parent) {}
};

} // namespace veltrasa
