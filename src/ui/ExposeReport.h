#pragma once
#include <cstdio>

class QWidget;

namespace veltrasa {

// For start-up measurements: once `window` has been painted for the first
// time and the paint has been flushed, writes one line
// "exposed <microseconds since the epoch>" to `out`. Nothing else changes.
void reportFirstExpose(QWidget& window, std::FILE* out = stdout);

} // namespace veltrasa
