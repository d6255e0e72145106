#pragma once
// The texts of the phone's "+CME ERROR: n" and "+CMS ERROR: n" codes.

#include <string>

namespace parlenko {

// The text of an error code as shown to the user: the first letter as
// stored, the rest lower case ("Phone busy", "invalid pdu parameter").
// One table serves both kinds (codes below 300 are +CME, 300..500 +CMS, 512
// up Siemens' own); a code not in it gives five blanks.
std::string PhoneErrorText(int code);

}  // namespace parlenko
