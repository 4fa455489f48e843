// The floor the program's start-up, memory and idle cost are measured
// against: a minimal Qt Widgets program with one window, one label in
// Japanese and one one-second timer that rewrites it. The window has the
// main window's size, so both pay the same for their pixels.
//
// With VELTRASA_BASELINE_TIMERS=n it runs n such labels and timers, started
// at phases spread over the second: the floor for the program's six
// independent one-second timers.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/ExposeReport.h"
#include "ui/Layout.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(veltrasa::layout::px(veltrasa::layout::kClientWidth),
                        veltrasa::layout::px(veltrasa::layout::kClientHeight));
    auto* layout = new QVBoxLayout(&window);
    const int count = qMax(1, qEnvironmentVariableIntValue("VELTRASA_BASELINE_TIMERS"));
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(&window);
        layout->addWidget(label);
        const auto showTime = [label] {
            label->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy年M月d日 hh:mm:ss")));
        };
        showTime();
        auto* timer = new QTimer(&window);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, showTime);
        QTimer::singleShot(1000 * i / count, timer, [timer] { timer->start(1000); });
    }
    if (qEnvironmentVariableIsSet("VELTRASA_REPORT_EXPOSED"))
        veltrasa::reportFirstExpose(window);
    window.show();
    return QApplication::exec();
}
