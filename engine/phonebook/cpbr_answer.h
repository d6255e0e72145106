#pragma once
// The phonebook's answer line, read once:
//   +CPBR: 7,"+385981234567",145,"Name"
// and the echo of an entry written, which has the same fields:
//   AT+CPBW=7,"+385981234567",,"Name"

#include <string>
#include <string_view>

namespace parlenko {

struct CpbrEntry {
    // The first field (after the prefix) read as a decimal number and
    // zero-padded to three digits ("5" -> "005", "123" stays); empty when it
    // is not a non-negative number.
    std::string position;
    // The text between the quotes of the second field; empty when they are
    // not both there.
    std::string number;
    // Everything after the third field, one quote at each end removed (a
    // quote inside the name stays), converted from GSM codes; empty when the
    // line has no fourth field.
    std::string name;
};

CpbrEntry ReadCpbrEntry(std::string_view line);

}  // namespace parlenko
