#pragma once
// Where the program keeps its data, and what a configured port name opens.

#include <string>

namespace parlenko::platform {

// The program's data folder ("Phonebook.dat", "Melodies", "Logos", "Backup",
// "Export" ...): $PARLENKO_HOME when set, else $XDG_DATA_HOME/Parlenko, else
// ~/.local/share/Parlenko. Always ends with '/'. Not created here.
std::string DataDir();

// Creates dir and its parents; true when it exists afterwards.
bool MakeDirs(const std::string& dir);

// "COMn" (also "\\.\COMn", any case) opens the link ports/comN in the data
// folder when it exists, else /dev/ttyS(n-1); a name beginning with "/" is a
// device path used as given. Anything else is returned unchanged.
std::string ResolvePortName(const std::string& name);

}  // namespace parlenko::platform
