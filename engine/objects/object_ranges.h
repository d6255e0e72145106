#pragma once
// The answer to "AT^SBNR=?": the binary object types with their index
// ranges, e.g. ^SBNR: ("vcs",(0-50)),("mid",(0-9)),("bmp",(0-2)).

#include <string_view>

namespace parlenko {

// The highest "vcs" (calendar) index, the end of its range; 0 when the type
// or a readable range is not there.
int ParseSbnrVcsRange(std::string_view line);
// The "bmp" range reaches index 2: the phone keeps a screensaver logo beside
// the operator logo.
bool ParseSbnrBmpRange(std::string_view line);

}  // namespace parlenko
