#pragma once
// What the entry dialog checks and the engine sends for it: the tests of its
// name and number against the phone's character sets and the "AT+CPBW" line
// of an entry, with the entry as it will be stored once the phone confirms
// the write. Pure.

#include "engine/phone/records.h"

#include <string>
#include <string_view>

namespace parlenko {

// Every character of a typed name (UTF-8) that the phone's name set has not,
// in order, each followed by one blank ("" when there is none).
std::string UnsupportedNameChars(std::string_view utf8);

// An entry's texts as the phone takes them: the name (8-bit text) holds
// only characters of the phone's alphabet, the number is not empty and within
// the number set. What the dialog saves and what a restore writes pass this
// test.
bool IsWritableEntry(std::string_view name, std::string_view number);

// The dialog may save the name and number as typed (UTF-8): trimmed name and
// number not empty, position neither empty nor "Memory full", the untrimmed
// texts within what the phone takes (UnsupportedChars, the number set).
bool CanSaveEntry(std::string_view utf8Name, std::string_view number, std::string_view position);

// The most a name holds, in the phone's septets (a character of the
// extension table takes two).
inline constexpr int kMaxNameLength = 16;

// The name with the VIP mark: a name that fills kMaxNameLength gets its last
// character replaced by "!", any other gets "!" appended.
std::string VipName(std::string_view name);

// The entry dialog's write: the "AT+CPBW=..." line (CR included) and the
// entry as it is stored once the phone confirms it.
struct PhonebookWrite {
    std::string Line;
    AListIme Entry;
};

// The write of name (8-bit text, VIP mark already applied), number and
// position ("007") as "AT+CPBW=7,"<number chars>",,"<escaped name>"" + CR,
// and the entry as stored: the name as it is, the number filtered, the
// position text unchanged (its memory is set by the engine). The line is
// empty when the name holds a character the phone cannot store (nothing is
// written changed), the number keeps no character or the position is no
// number.
PhonebookWrite BuildPhonebookWrite(std::string_view name, std::string_view number,
                                   std::string_view position);

}  // namespace parlenko
