#pragma once
#include <QDateTime>

namespace veltrasa {

// The local clock. Every reading the program shows or writes is formatted by
// the code that uses it, independently of the user's locale.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace veltrasa
