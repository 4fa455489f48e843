#pragma once
// The first-paint report of bench/run.sh (VELTRASA_REPORT_EXPOSED=1), defined
// here in full so the baseline program of bench/ uses it without linking the
// rest of the program.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace veltrasa {

// Once `window` has been painted for the first time and the paint has been
// flushed, writes one line "exposed <microseconds since the epoch>" to
// `out`. Nothing else changes.
class FirstPaintReport final : public QObject {
public:
    FirstPaintReport(QWidget& window, std::FILE* out) : QObject(&window), out_(out)
    {
        later_.setSingleShot(true);
        connect(&later_, &QTimer::timeout, this, &FirstPaintReport::report);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            watched->removeEventFilter(this);
            // The children are painted and the backing store flushed before
            // the event loop turns again.
            later_.start(0);
        }
        return false;
    }

private:
    void report()
    {
        const auto now =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch());
        std::fprintf(out_, "exposed %lld\n", static_cast<long long>(now.count()));
        std::fflush(out_);
        deleteLater();
    }

    QTimer later_;
    std::FILE* out_;
    bool reported_ = false;
};

inline void reportFirstExpose(QWidget& window, std::FILE* out = stdout)
{
    new FirstPaintReport(window, out);
}

} // namespace veltrasa
