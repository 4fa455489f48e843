// The record leaving the program, with long records: the clipboard report
// and the code-page-932 file bytes built from 10,000 rows, reading
// those rows from the real record list, and the printout of 1,000 rows
// laid out into a PDF file. And the code summary of 10,000 rows: computed
// and its window shown over the main window, and its sheet printed.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "Scripted.h"
#include "desktop/QtPrinter.h"
#include "output/CodeSummary.h"
#include "output/RecordOutput.h"
#include "output/ReportText.h"
#include "output/SummarySheet.h"
#include "record/EventCatalogue.h"
#include "record/RecordWriter.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/SummaryWindow.h"

using namespace veltrasa;

namespace {
const QDateTime kWhen(QDate(2005, 6, 4), QTime(9, 5, 7));

// Rows as the buttons write them: every event and rhythm text in turn.
QStringList recordRows(int count)
{
    QStringList texts;
    for (const auto& entry : eventCatalogue())
        texts << eventRowText(entry, 2);
    for (const auto& entry : rhythmCatalogue())
        texts << rhythmRowText(QString::fromUtf16(entry.caption));
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << formatTimeStamp(kWhen.addSecs(i)) + texts[i % texts.size()];
    return rows;
}

struct Window {
    explicit Window(int rows) : w(p.platform())
    {
        w.show();
        for (const QString& row : recordRows(rows))
            w.recordList()->addRow(row);
        QApplication::processEvents();
    }
    testing::ScriptedPlatform p;
    MainWindow w;
};

void ClipboardReport(benchmark::State& state)
{
    const QStringList rows = recordRows(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(clipboardReport(rows, kWhen));
}

void TextFileBytes(benchmark::State& state)
{
    const QStringList rows = recordRows(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeCp932(textFileContent(rows, kWhen)));
}

void ReadRows(benchmark::State& state)
{
    Window win(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readRows(*win.w.recordList()));
}

void PrintoutToPdf(benchmark::State& state)
{
    const QStringList rows = recordRows(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    for (auto _ : state) {
        QtPrinter printer(dir.filePath(QStringLiteral("record.pdf")));
        if (!printer.begin() || !printRows(printer, rows, kWhen))
            state.SkipWithError("the PDF could not be written");
    }
}

void SummaryShown(benchmark::State& state)
{
    Window win(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SummaryWindow summary(*win.w.recordList(), &win.w);
        summary.show();
        summary.repaint();
    }
}

void SummarySheetToPdf(benchmark::State& state)
{
    const QStringList rows = recordRows(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    for (auto _ : state) {
        QtPrinter printer(dir.filePath(QStringLiteral("summary.pdf")));
        if (!printer.begin())
            state.SkipWithError("the PDF could not be written");
        drawSummarySheet(printer, summariseRecord(rows));
        if (!printer.end())
            state.SkipWithError("the PDF could not be written");
    }
}

BENCHMARK(ClipboardReport)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(TextFileBytes)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRows)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintoutToPdf)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryShown)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SummarySheetToPdf)->Arg(10000)->Unit(benchmark::kMillisecond);
} // namespace
