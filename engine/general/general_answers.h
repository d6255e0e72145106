#pragma once
// Parsers of the one-line answers of the general-information and settings
// chains. Each takes the answer line (no CR/LF) and returns the text shown;
// a line that is too short, garbled or outside the listed codes gives the
// empty text. None of them throws.

#include <string>
#include <string_view>

namespace parlenko {

// "+CPAS: <code>": "Ready.", "Incoming call.", "Call is active.".
std::string ParseCpas(std::string_view line);
// "+CCLK: \"yy/mm/dd,hh:mm:ss\"": "dd.mm.yyyy    hh:mm:ss"; an invalid date
// gives the empty text.
std::string ParseCclk(std::string_view line);
// "+CBC: <bcs>,<bcl>": the power source text of bcs.
std::string ParseCbc(std::string_view line);

// Registration answers come in two forms: the answer to "AT+CREG?" with the
// mode first ("+CREG: 2,1,\"0DA2\",\"5C1F\"") and the unsolicited notice
// without it ("+CREG: 1,\"0DA2\",\"5C1F\""). The form is told by the fields:
// a single field, or a quoted second field, is the notice.
struct Registration {
    std::string status;  // the network status text of stat
    // The location area and the cell id as the phone's hex texts, quotes
    // removed; both empty unless a comma follows the area.
    std::string area;
    std::string cell;
};
Registration ParseCreg(std::string_view line);

// "+CSCA: \"<number>\",<type>": the number.
std::string ParseCsca(std::string_view line);

}  // namespace parlenko
