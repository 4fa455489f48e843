#include "desktop/SignalEvents.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace veltrasa {
namespace {

// The write end of the pipe of the instance that owns each signal.
std::array<int, NSIG> writeEnds = [] {
    std::array<int, NSIG> ends{};
    ends.fill(-1);
    return ends;
}();

extern "C" void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a pending delivery; nothing more to do.
    [[maybe_unused]] const ssize_t written = ::write(writeEnds[static_cast<std::size_t>(signalNumber)], &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalEvents::SignalEvents(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent), signals_(signalNumbers), previous_(signals_.size())
{
    for (int signalNumber : signals_)
        if (writeEnds[static_cast<std::size_t>(signalNumber)] != -1)
            return; // owned by another instance
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < signals_.size(); ++i) {
        writeEnds[static_cast<std::size_t>(signals_[i])] = pipe_[1];
        ::sigaction(signals_[i], &action, &previous_[i]);
    }
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalEvents::readPending);
}

SignalEvents::~SignalEvents()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < signals_.size(); ++i) {
        ::sigaction(signals_[i], &previous_[i], nullptr);
        writeEnds[static_cast<std::size_t>(signals_[i])] = -1;
    }
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void SignalEvents::readPending()
{
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace veltrasa
