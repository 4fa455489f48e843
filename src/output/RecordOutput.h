#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace veltrasa {

class Clipboard;
class Clock;
class MessageBox;
class Printer;
class RecordList;
class SaveFileDialog;

// The record's three destinations, and the exit sequence that offers them.
// Each output reads the record list by the row walk, so the last row is
// selected afterwards.
class RecordOutput {
public:
    struct Services {
        RecordList& list;
        const Clock& clock;
        MessageBox& messages;
        Clipboard& clipboard;
        SaveFileDialog& saveDialog;
        Printer& printer;
    };

    explicit RecordOutput(const Services& services) : services_(services) {}

    // Save? If not, print? Then always the clipboard copy.
    void exitSequence();

    // Places the report on the clipboard and says so. Where it is not on
    // the clipboard, or will not outlive the program, says that instead and
    // asks once more whether to save it as a text file.
    void copyRecordToClipboard();

    // Asks for a file name and writes the record as a Shift-JIS text file.
    // A file is replaced only by a complete new one; when it cannot be
    // written, a notice names it and the exit sequence runs again.
    void saveRecordAsText();

    // Prints the record on the default printer, as many sheets as it
    // takes, and its code summary on a last sheet. When printing fails
    // the exit sequence runs again.
    void printRecord();

private:
    // False when the file could not be written or is not a save target; an
    // existing file is then left as it was.
    bool writeTextFile(const QString& path);
    bool print();

    Services services_;
};

// True when the text file may be written under `path`: nothing is there
// yet, or a regular file is, itself or at the end of its symbolic links.
// A FIFO, socket, device or folder, and a link that leads nowhere, are
// never opened for writing: replacing one would destroy it (a device node
// under /dev) and leave the record where no one looks for it.
bool isSaveTarget(const QString& path);

// Draws the record on a begun print job – the title line on every sheet,
// the rows paginated, then the code summary's sheet (for a record with
// rows) – and ends the job. False when a sheet or the job
// could not be completed.
bool printRows(Printer& printer, const QStringList& rows, const QDateTime& when);

// The notices and questions of this subsystem, word for word.
QString copiedNotice();
QString notKeptNotice();
QString notCopiedNotice();
QString saveFailedNotice(const QString& path);
QString replaceQuestion(const QString& path);
QString textFileFilter();

} // namespace veltrasa
