// The main() of the Google Benchmark programs: an offscreen Qt application
// with the program's font substitutes, then every registered benchmark.

#include <QApplication>
#include <benchmark/benchmark.h>

#include "ui/look/Fonts.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    veltrasa::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
