#include "state/CommandLine.h"

#include "localisation/ApplicationInfo.h"

#include <QCommandLineParser>

namespace velmora {

std::optional<QString> CommandLineAnswer(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's -reverse or -visual must not read as -r -e -v ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A chess clock for two players. Each player ends a move with their own "
                       "key or mouse button;\nthe menu chooses the time control, the language, "
                       "the sounds and the keys."));
    // Not addHelpOption(): its --help-all would list Qt's options, which need an application.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(arguments); // unknown arguments are no error here
    if (parser.isSet(help)) {
        // Read before QCoreApplication exists, so the parser cannot name the program.
        return parser.helpText().replace(QStringLiteral("<executable_name>"),
                                         QStringLiteral("velmora"));
    }
    if (parser.isSet(version))
        return ApplicationTitle() + u' ' + ApplicationVersion() + u'\n';
    return std::nullopt;
}

} // namespace velmora
