#include "ui/ExposeReport.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace veltrasa {
namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::FILE* out) : QObject(&window), out_(out)
    {
        later_.setSingleShot(true);
        connect(&later_, &QTimer::timeout, this, &FirstPaintWatch::report);
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

} // namespace

void reportFirstExpose(QWidget& window, std::FILE* out)
{
    new FirstPaintWatch(window, out);
}

} // namespace veltrasa
