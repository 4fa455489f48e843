#include "desktop/CommandLine.h"

#include "common/Texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace veltrasa {

namespace {

constexpr int kUsageError = 2;

} // namespace

CommandLineAnswer readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are words after a single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf16(texts::kCommandLineDescription));
    // Not addHelpOption(): its --help-all is for programs that let Qt answer.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QString::fromUtf16(texts::kHelpOptionDescription));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    // Qt's documented options on Linux desktops, hidden from --help.
    const auto acceptQtOption = [&parser](QCommandLineOption option) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon",
          "qwindowtitle", "session", "display", "style", "stylesheet", "qmljsdebugger"})
        acceptQtOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : {"reverse", "widgetcount"})
        acceptQtOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments)) {
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("veltrasa"))).fileName();
        return {kUsageError, {}, program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n')};
    }
    if (parser.isSet(help))
        return {0, parser.helpText(), {}};
    if (parser.isSet(version))
        return {0, QStringLiteral("Veltrasa2005 " VELTRASA_VERSION "\n"), {}};
    return {};
}

std::optional<int> answerCommandLine(int& argc, char** argv)
{
    const QCoreApplication core(argc, argv);
    const CommandLineAnswer answer = readCommandLine(QCoreApplication::arguments());
    std::fputs(answer.output.toLocal8Bit().constData(), stdout);
    std::fputs(answer.error.toLocal8Bit().constData(), stderr);
    return answer.exitStatus;
}

} // namespace veltrasa
