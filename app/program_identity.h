#pragma once
// What the program is to the system and the desktop: its answers to --help
// and --version, its name and version, the desktop file it belongs to, and
// the icon of its windows.

#include <optional>

namespace parlenko::app {

// --help (also -h, --help-all) and --version (-v) print their answer on
// standard output; the program then ends with the status given, before any
// window or display is needed. Nothing (the program goes on) for any other
// command line: Qt's own options (-platform, -style ...) stay Qt's.
std::optional<int> AnswerCommandLine(int argc, char** argv);

// The application's name, version, desktop file and window icon; after the
// application object exists.
void SetProgramIdentity();

}  // namespace parlenko::app
