#pragma once
// Measurement hooks for bench/run.sh, inert unless their environment
// variable is set:
//   VELTRASA_REPORT_EXPOSED=1  prints "exposed <µs since the epoch>" to
//                              standard output once the window is first
//                              painted (start-up time);
//   VELTRASA_DUMP_COUNTERS=1   makes SIGUSR1 print the five counters' values
//                              in seconds to standard error (time keeping).

#include <QString>
#include <cstdio>

namespace veltrasa {

class MainWindow;

// Sets up the hooks their environment variables ask for.
void installMeasurementHooks(MainWindow& window);

// The five counters' values as counted so far, in seconds:
// "counters arrival=<s> cpr=<s> epinephrine=<s> atropine=<s> antiarrhythmic=<s>".
QString counterDumpLine(MainWindow& window);

// From now on, each delivery of `signal` writes counterDumpLine() to `out`
// from the event loop. One window per process.
void dumpCountersOnSignal(MainWindow& window, int signal, std::FILE* out = stderr);

} // namespace veltrasa
