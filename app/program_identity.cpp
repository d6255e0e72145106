#include "app/program_identity.h"

#include "platform/paths.h"
#include "ui/artwork/artwork.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include <cstdio>

namespace parlenko::app {
namespace {

void SetNameAndVersion() {
    QCoreApplication::setApplicationName(QStringLiteral("Parlenko"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLENKO_VERSION));
}

// The toolkit's own options, which the application object takes from the
// command line (its windowing options with those of the X11 plugin). They
// are accepted here so that only a word nobody knows is refused.
struct ToolkitOption {
    const char* name;
    const char* valueName;  // nullptr: takes no value
    const char* description;
};

constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", "platformName[:options]", "QPA plugin (xcb, wayland, offscreen ...)."},
    {"platformpluginpath", "path", "Path to the platform plugins."},
    {"platformtheme", "theme", "Platform theme."},
    {"plugin", "plugin", "Additional plugins to load, can be specified multiple times."},
    {"qwindowgeometry", "geometry",
     "Window geometry for the main window, using the X11-syntax, like 100x100+50+50."},
    {"qwindowicon", "icon", "Default window icon."},
    {"qwindowtitle", "title", "Title of the first window."},
    {"reverse", nullptr,
     "Sets the application's layout direction to right to left (debugging helper)."},
    {"session", "session", "Restores the application from an earlier session."},
    {"style", "style", "The widget style (Fusion, Windows ...)."},
    {"stylesheet", "stylesheet", "A style sheet file for the widgets."},
    {"widgetcount", nullptr, "Prints the number of widgets left at the end (debugging helper)."},
    {"display", "display", "X11: display name, overrides $DISPLAY."},
    {"name", "name", "X11: instance name according to ICCCM 4.1.2.5."},
    {"nograb", nullptr, "X11: disable mouse grabbing (useful in debuggers)."},
    {"dograb", nullptr, "X11: force mouse grabbing (even when running in a debugger)."},
    {"visual", "id", "X11: ID of the X11 Visual to use."},
    {"geometry", "geometry", "X11: alias for --qwindowgeometry."},
    {"icon", "icon", "X11: alias for --qwindowicon."},
    {"title", "title", "X11: alias for --qwindowtitle."},
};

struct OwnOptions {
    QCommandLineOption help;
    QCommandLineOption version;
};

// Our options and the toolkit's, the latter listed in the help only when
// asked for (--help-all).
OwnOptions AddOptions(QCommandLineParser& parser, bool listToolkitOptions) {
    parser.setApplicationDescription(
        QStringLiteral("Manages a Siemens S45, ME45 or C35i phone over a serial port."));
    // "-platform" is one of Qt's options, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    OwnOptions own{parser.addHelpOption(), parser.addVersionOption()};
    for (const ToolkitOption& t : kToolkitOptions) {
        QCommandLineOption option(QString::fromLatin1(t.name), QString::fromLatin1(t.description));
        if (t.valueName != nullptr) option.setValueName(QString::fromLatin1(t.valueName));
        if (!listToolkitOptions) option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    return own;
}

// What --help adds after the options: the files and the environment.
QString FilesAndEnvironment() {
    const QString data = QString::fromStdString(platform::DataDir());
    return QStringLiteral(
               "\nFiles:\n"
               "  %1\n"
               "      The data folder, made at the first start:\n"
               "      Parlenko.ini   the options ([Options]) and the contacts and calendar\n"
               "                     folders ([Store])\n"
               "      Phonebook.dat  the phonebooks as last read from the phone\n"
               "      Locations.dat  the names given to network cells\n"
               "      ports/comN     a link that \"COM N\" opens in place of /dev/ttyS(N-1)\n"
               "      Backup/  Export/  Melodies/  Logos/  contacts/  calendars/\n"
               "\nEnvironment:\n"
               "  PARLENKO_HOME         the data folder, in place of the one above\n"
               "  XDG_DATA_HOME         else the data folder is $XDG_DATA_HOME/Parlenko\n"
               "                        (by default ~/.local/share/Parlenko)\n"
               "  PARLENKO_MIDI_PLAYER  the command that plays a MIDI file on the computer\n"
               "                        (the file's path is added to it)\n"
               "\nSee parlenko(1).\n")
        .arg(data);
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
    SetNameAndVersion();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const OwnOptions own = AddOptions(parser, false);
    const bool parsed = parser.parse(arguments);
    QString error = parser.errorText();
    if (parsed && !parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    if (!error.isEmpty()) {
        Print(stderr, QStringLiteral("parlenko: %1\nTry 'parlenko --help' for more information.\n")
                          .arg(error));
        return 2;
    }
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (!helpAll && !parser.isSet(own.help) && !parser.isSet(own.version)) return std::nullopt;
    // The usage line names the program as it was called.
    QCoreApplication core(argc, argv);
    if (parser.isSet(own.version)) {
        Print(stdout, QStringLiteral("Parlenko %1\n").arg(QStringLiteral(PARLENKO_VERSION)));
        return 0;
    }
    if (helpAll) {
        QCommandLineParser all;
        AddOptions(all, true);
        Print(stdout, all.helpText() + FilesAndEnvironment());
    } else {
        Print(stdout, parser.helpText() + FilesAndEnvironment());
    }
    return 0;
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
