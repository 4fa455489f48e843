#pragma once
#include <QString>
#include <cstdio>

namespace veltrasa {

class FrmMain;

// The five counters' values as counted so far, in seconds:
// "counters arrival=<s> cpr=<s> epinephrine=<s> atropine=<s> antiarrhythmic=<s>".
QString counterDumpLine(FrmMain& window);

// For time-keeping measurements: from now on, each delivery of `signal`
// writes counterDumpLine() to `out` from the event loop. One window per
// process.
void dumpCountersOnSignal(FrmMain& window, int signal, std::FILE* out = stderr);

} // namespace veltrasa
