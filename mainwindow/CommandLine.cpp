#include "CommandLine.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// One character a byte: the options are ASCII, and a path that is not UTF-8 comes back as its own bytes.
QStringList ByteArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLatin1(argv[i]);
    return arguments;
}

void Describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Vellum MP3, a tag manager for MP3 files. Lists the MP3 files named and every MP3 file in "
                       "the folders named and their subfolders."));
    // The window system's own options are single words after one dash ("-reverse", "-platformtheme"): read as
    // letters they would hold a "v" or an "h".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption: its --help-all would print nothing here and start the window.
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays this help and exits.")));
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("MP3 files and folders to list."),
                                 QStringLiteral("[FILE|FOLDER]..."));
}

} // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv)
{
    // The help text names the program as it was started, which needs an application object; a plain one needs
    // no desktop.
    int probeArgc = argc;
    const QCoreApplication probe(probeArgc, argv);
    QCommandLineParser parser;
    Describe(parser);
    // The window system's options are unknown here and not yet an error: PathArguments judges what is left.
    parser.parse(ByteArguments(argc, argv));
    QString answer;
    if (parser.isSet(QStringLiteral("help")))
        answer = parser.helpText();
    else if (parser.isSet(QStringLiteral("version")))
        answer = QStringLiteral("vellum-mp3 %1\n").arg(QCoreApplication::applicationVersion());
    else
        return std::nullopt;
    std::fputs(answer.toLocal8Bit().constData(), stdout);
    return EXIT_SUCCESS;
}

std::optional<std::vector<std::string>> PathArguments(int argc, char** argv)
{
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(ByteArguments(argc, argv))) {
        std::fprintf(stderr, "vellum-mp3: %s\n", parser.errorText().toLocal8Bit().constData());
        return std::nullopt;
    }
    std::vector<std::string> paths;
    for (const QString& path : parser.positionalArguments())
        paths.push_back(path.toLatin1().toStdString());
    return paths;
}
