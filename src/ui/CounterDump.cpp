#include "ui/CounterDump.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "ui/FrmMain.h"

namespace veltrasa {
namespace {

// The signal handler only wakes the event loop through this pipe.
int wakePipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    if (::write(wakePipe[1], &byte, 1) < 0) {
        // Pipe full: a dump is already pending.
    }
}

int elapsedSeconds(const DigitCounter& c)
{
    static constexpr int kSecondsPerCell[DigitCounter::kCells] = {1, 10, 60, 600, 3600, 36000};
    int seconds = 0;
    for (int k = 0; k < DigitCounter::kCells; ++k)
        seconds += c.cell(k) * kSecondsPerCell[k];
    return seconds;
}

} // namespace

QString counterDumpLine(FrmMain& window)
{
    static const char* const names[kCounterCount] = {"arrival", "cpr", "epinephrine", "atropine", "antiarrhythmic"};
    QString line = QStringLiteral("counters");
    for (int i = 0; i < kCounterCount; ++i)
        line += QStringLiteral(" %1=%2").arg(QLatin1String(names[i])).arg(elapsedSeconds(window.counter(CounterId(i))));
    return line;
}

void dumpCountersOnSignal(FrmMain& window, int signal, std::FILE* out)
{
    if (wakePipe[0] < 0 && ::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, out] {
        char drain[64];
        while (::read(wakePipe[0], drain, sizeof drain) > 0) {
        }
        std::fprintf(out, "%s\n", counterDumpLine(window).toUtf8().constData());
        std::fflush(out);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

} // namespace veltrasa
