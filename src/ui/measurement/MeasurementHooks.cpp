#include "ui/measurement/MeasurementHooks.h"

#include <csignal>

#include "desktop/SignalEvents.h"
#include "ui/measurement/FirstPaintReport.h"
#include "ui/windows/MainWindow.h"

namespace veltrasa {

void installMeasurementHooks(MainWindow& window)
{
    if (qEnvironmentVariableIsSet("VELTRASA_REPORT_EXPOSED"))
        reportFirstExpose(window);
    if (qEnvironmentVariableIsSet("VELTRASA_DUMP_COUNTERS"))
        dumpCountersOnSignal(window, SIGUSR1);
}

QString counterDumpLine(MainWindow& window)
{
    static const char* const names[kCounterCount] = {"arrival", "cpr", "epinephrine", "atropine", "antiarrhythmic"};
    QString line = QStringLiteral("counters");
    for (int i = 0; i < kCounterCount; ++i)
        line +=
            QStringLiteral(" %1=%2").arg(QLatin1String(names[i])).arg(window.counter(CounterId(i)).elapsedSeconds());
    return line;
}

void dumpCountersOnSignal(MainWindow& window, int signal, std::FILE* out)
{
    auto* deliveries = new SignalEvents({signal}, &window);
    QObject::connect(deliveries, &SignalEvents::received, &window, [&window, out] {
        std::fprintf(out, "%s\n", counterDumpLine(window).toUtf8().constData());
        std::fflush(out);
    });
}

} // namespace veltrasa
