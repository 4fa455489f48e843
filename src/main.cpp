#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "desktop/CommandLine.h"
#include "desktop/DesktopClipboardKeeping.h"
#include "desktop/DesktopDisplayKeeper.h"
#include "desktop/DesktopOpenRecords.h"
#include "desktop/QtClipboard.h"
#include "desktop/QtMessageBox.h"
#include "desktop/QtPrinter.h"
#include "desktop/QtProgramEnd.h"
#include "desktop/QtSaveFileDialog.h"
#include "desktop/QtTimerFactory.h"
#include "desktop/SystemClock.h"
#include "desktop/TerminationSignals.h"
#include "desktop/WindowingPlatform.h"
#include "platform/Platform.h"
#include "record/StartUp.h"
#include "ui/look/Accessibility.h"
#include "ui/look/Fonts.h"
#include "ui/measurement/MeasurementHooks.h"
#include "ui/placement/BringToFront.h"
#include "ui/placement/ScreenFitter.h"
#include "ui/windows/MainWindow.h"

int main(int argc, char* argv[])
{
    // --help, --version and options it does not know, answered without a display.
    if (const std::optional<int> status = veltrasa::answerCommandLine(argc, argv))
        return *status;
    veltrasa::preferX11Display();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrasa2005"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    veltrasa::installAccessibleRoles();
    veltrasa::installFontSubstitutes();

    // Qt's own dialogs and buttons speak Japanese whatever the locale.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);

    veltrasa::SystemClock clock;
    veltrasa::QtMessageBox messages;
    // One record a user and display unless another is asked for: a second
    // start asks first, before it shows a window.
    veltrasa::DesktopOpenRecords openRecords;
    const std::optional<int> place = veltrasa::openRecordPlace(openRecords, messages);
    if (!place)
        return 0;
    veltrasa::QtTimerFactory timers;
    veltrasa::QtProgramEnd programEnd;
    veltrasa::DesktopClipboardKeeping clipboardKeeping;
    veltrasa::QtClipboard clipboard(clipboardKeeping);
    veltrasa::QtSaveFileDialog saveDialog;
    veltrasa::QtPrinter printer;
    veltrasa::Platform platform{&messages, &clock, &timers, &programEnd};
    veltrasa::DesktopDisplayKeeper display;
    platform.display = &display;
    platform.clipboard = &clipboard;
    platform.saveDialog = &saveDialog;
    platform.printer = &printer;

    veltrasa::MainWindow window(platform);
    messages.setParent(&window);
    saveDialog.setParent(&window);
    veltrasa::installMeasurementHooks(window);
    // Opens centred on the screen (a further record cascaded from there),
    // scaled down where the screen is too small.
    veltrasa::showFitted(window, *place);
    QObject::connect(&openRecords, &veltrasa::DesktopOpenRecords::raiseRequested, &window,
                     [&window] { veltrasa::bringToFront(window); });
    // Asked to end by the system or the session, the window closes the normal
    // way: the record is offered for saving and copied to the clipboard.
    veltrasa::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &veltrasa::TerminationSignals::received, &window, &QWidget::close);
    return QApplication::exec();
}
