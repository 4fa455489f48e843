// The floor the program's start-up, memory and idle cost are measured
// against: a minimal Qt Widgets program with one window, one label in
// Japanese and one one-second timer that rewrites it. The window has the
// main window's size, so both pay the same for their pixels.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/Layout.h"
#include "ui/MeasurementHooks.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(veltrasa::layout::px(veltrasa::layout::kClientWidth),
                        veltrasa::layout::px(veltrasa::layout::kClientHeight));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(&window);
    layout->addWidget(label);
    const auto showTime = [label] {
        label->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy年M月d日 hh:mm:ss")));
    };
    showTime();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, showTime);
    timer.start(1000);
    if (qEnvironmentVariableIsSet("VELTRASA_REPORT_EXPOSED"))
        veltrasa::reportFirstExpose(window);
    window.show();
    return QApplication::exec();
}
