#include "app/program_identity.h"

#include "ui/artwork/artwork.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

namespace parlenko::app {
namespace {

void SetNameAndVersion() {
    QCoreApplication::setApplicationName(QStringLiteral("Parlenko"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLENKO_VERSION));
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
    SetNameAndVersion();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Manages a Siemens S45, ME45 or C35i phone over a serial port."));
    // "-platform" is one of Qt's options, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Options that are not ours are Qt's; they do not stop the parse.
    (void)parser.parse(arguments);
    const bool helpAsked = parser.isSet(help) || parser.isSet(QStringLiteral("help-all"));
    if (!helpAsked && !parser.isSet(version)) return std::nullopt;
    // The usage line names the program as it was called.
    QCoreApplication core(argc, argv);
    if (parser.isSet(version)) parser.showVersion();  // exits
    parser.showHelp(0);                               // exits
}

void SetProgramIdentity() {
    SetNameAndVersion();
    // No display name: the toolkit would add it to every window's title
    // (" — Parlenko"), and the windows' captions are whole as they are.
    QGuiApplication::setDesktopFileName(QStringLiteral(PARLENKO_APP_ID));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(artwork::ProgramIcon(size)));
    QApplication::setWindowIcon(icon);
}

}  // namespace parlenko::app
