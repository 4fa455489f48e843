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

#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/Scale.h"
#include "ui/measurement/FirstPaintReport.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    using namespace veltrasa::layout;
    window.setFixedSize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
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
