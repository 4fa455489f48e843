#include "output/RecordOutput.h"

#include <QFileInfo>
#include <QSaveFile>

#include "common/Texts.h"
#include "output/CodeSummary.h"
#include "output/PrintLayout.h"
#include "output/ReportText.h"
#include "output/SummarySheet.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/SaveFileDialog.h"
#include "record/ShutDown.h"

namespace veltrasa {
namespace {
// True when the step reports success; a step that throws has failed.
template <typename Step> bool succeeds(Step&& step)
{
    try {
        return step();
    } catch (...) {
        return false;
    }
}
} // namespace

QString copiedNotice()
{
    return QString::fromUtf16(texts::kCopiedNotice);
}

QString notKeptNotice()
{
    return QString::fromUtf16(texts::kNotKeptNotice);
}

QString notCopiedNotice()
{
    return QString::fromUtf16(texts::kNotCopiedNotice);
}

QString saveFailedNotice(const QString& path)
{
    return QString::fromUtf16(texts::kSaveFailedNotice) + path;
}

QString replaceQuestion(const QString& path)
{
    return path + QString::fromUtf16(texts::kReplaceQuestion);
}

QString textFileFilter()
{
    return QString::fromUtf16(texts::kTextFileFilter);
}

void RecordOutput::exitSequence()
{
    askAndExport({services_.messages, [this] { saveRecordAsText(); }, [this] { printRecord(); },
                  [this] { copyRecordToClipboard(); }});
}

void RecordOutput::copyRecordToClipboard()
{
    // The clipboard is not emptied first: placing the report may fail (the
    // X server may refuse the program the clipboard), and whatever was
    // there before is then better left than lost.
    const QDateTime now = services_.clock.now();
    switch (services_.clipboard.setText(clipboardReport(readRows(services_.list), now))) {
    case AfterExit::HandedOver:
    case AfterExit::Kept:
        services_.messages.notice(copiedNotice());
        return;
    case AfterExit::Lost:
        // Nothing will keep the report once the program has ended. Said
        // while it can still be pasted.
        services_.messages.warning(notKeptNotice());
        break;
    case AfterExit::NotCopied:
        services_.messages.warning(notCopiedNotice());
        break;
    }
    // The user may save the record once more (or not: the program ends
    // either way).
    if (services_.messages.question(QString::fromUtf16(texts::kSaveQuestion)) == Answer::Yes)
        saveRecordAsText();
}

void RecordOutput::saveRecordAsText()
{
    QString proposal = proposedFileName(services_.clock.now());
    QString path;
    for (;;) {
        const std::optional<QString> chosen = services_.saveDialog.askFileName(proposal, textFileFilter());
        if (!chosen)
            return;
        path = *chosen;
        if (path.endsWith(QLatin1String(".txt")))
            break;
        // The dialog asked about the name as typed; the name with ".txt"
        // is another file, which is not replaced without asking either,
        // and, as in the dialog's own question, not by Return alone.
        path += QLatin1String(".txt");
        // A target that will be refused is not asked about.
        if (!isSaveTarget(path) || !QFileInfo::exists(path) ||
            services_.messages.questionDefaultNo(replaceQuestion(path)) == Answer::Yes)
            break;
        proposal = *chosen;
    }

    if (!succeeds([&] { return writeTextFile(path); })) {
        services_.messages.warning(saveFailedNotice(path));
        exitSequence();
    }
}

bool RecordOutput::writeTextFile(const QString& path)
{
    if (!isSaveTarget(path))
        return false;
    const QDateTime savedAt = services_.clock.now();
    const QByteArray bytes = encodeCp932(textFileContent(readRows(services_.list), savedAt));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Qt 6.4's commit() renames the new file into place even when the last
    // buffered block could not be written (disk full), so the flush is
    // checked here, before the older file is replaced.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool isSaveTarget(const QString& path)
{
    // QFileInfo follows symbolic links for everything but isSymLink().
    const QFileInfo target(path);
    if (target.isSymLink())
        return target.isFile();
    return !target.exists() || target.isFile();
}

void RecordOutput::printRecord()
{
    if (!succeeds([this] { return print(); })) {
        services_.printer.abort();
        exitSequence();
    }
}

namespace {
QFont printFont(double points, bool italic)
{
    QFont font(QString::fromUtf16(print::kFace));
    font.setBold(false);
    font.setItalic(italic);
    font.setPointSizeF(points);
    font.setUnderline(false);
    return font;
}
} // namespace

bool RecordOutput::print()
{
    if (!services_.printer.begin())
        return false;
    const QDateTime now = services_.clock.now();
    return printRows(services_.printer, readRows(services_.list), now);
}

bool printRows(Printer& printer, const QStringList& rows, const QDateTime& when)
{
    const QString title = printTitle(when);
    const QFont titleFont = printFont(print::kTitlePoints, true);
    const QFont rowFont = printFont(print::kRowPoints, false);
    const QSizeF area = printer.printableSize();

    printer.setFont(titleFont);
    const QPointF titleAt(print::centredTitleLeft(area.width(), printer.textWidth(title)), print::kTitleTop);
    printer.setFont(rowFont);
    const auto pages = print::paginateRows(static_cast<int>(rows.size()), area.height(), printer.lineHeight());

    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage())
            return false;
        printer.setFont(titleFont);
        printer.drawText(titleAt, title);
        printer.setFont(rowFont);
        for (const auto& placed : pages[p].rows)
            printer.drawText(QPointF(print::kRowLeft, placed.top), rows.at(placed.row));
    }
    // The code summary follows on a sheet of its own; an empty record has
    // nothing to sum up.
    if (!rows.isEmpty()) {
        if (!printer.newPage())
            return false;
        drawSummarySheet(printer, summariseRecord(rows));
    }
    return printer.end();
}

} // namespace veltrasa
