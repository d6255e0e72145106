#pragma once
// The answer to "AT^SBNR=?": the binary object types with their index
// ranges, e.g. ^SBNR: ("vcs",(0-50)),("mid",(0-9)),("bmp",(0-2)).

#include <string_view>

namespace parlenko {

// The highest "vcs" (calendar) index: the digits after the "-" that follows
// "vcs", up to the next ")"; 0 when there are none.
int ParseSbnrVcsRange(std::string_view line);
// The "bmp" range reaches index 2 (the phone keeps a screensaver logo beside
// the operator logo): the third character after the "(" that follows "bmp"
// is "2".
bool ParseSbnrBmpRange(std::string_view line);

}  // namespace parlenko
