#pragma once
// What the program is to the system and the desktop: its answers to --help
// and --version, its name and version, the desktop file it belongs to, and
// the icon of its windows.

#include <optional>

namespace parlenko::app {

// --help (also -h), --help-all (with the toolkit's options) and --version
// (-v) print their answer on standard output and give status 0; an option
// neither ours nor the toolkit's, or any other argument, prints a short
// message on standard error and gives status 2. Either before any window or
// display is needed. Nothing (the program goes on) for any other command
// line: the toolkit's own options (-platform, -style ...) stay its own.
std::optional<int> AnswerCommandLine(int argc, char** argv);

// The application's name, version, desktop file and window icon; after the
// application object exists.
void SetProgramIdentity();

}  // namespace parlenko::app
