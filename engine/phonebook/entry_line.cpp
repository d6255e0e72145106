#include "engine/phonebook/entry_line.h"

#include "engine/core/strings.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/phonebook/phonebook_commands.h"

namespace parlenko {

std::string UnsupportedNameChars(std::string_view utf8) {
    std::string out;
    for (const std::string& c : UnsupportedChars(utf8)) out += c + ' ';
    return out;
}

bool IsWritableEntry(std::string_view name, std::string_view number) {
    return IsPhoneText(name) && !number.empty() && IsValidNumber(number);
}

bool CanSaveEntry(std::string_view utf8Name, std::string_view number, std::string_view position) {
    return !Trim(utf8Name).empty() && !position.empty() && position != "Memory full" &&
           UnsupportedChars(utf8Name).empty() && !number.empty() && IsValidNumber(number);
}

std::string VipName(std::string_view name) {
    std::string out(name);
    if (!out.empty() && GsmLength(out) >= kMaxNameLength) out.back() = '!';
    else out += '!';
    return out;
}

PhonebookWrite BuildPhonebookWrite(std::string_view name, std::string_view number,
                                   std::string_view position) {
    const auto n = ParseInt(Trim(position));
    const std::string pos = n ? IntToStr(*n) : std::string(Trim(position));
    PhonebookWrite w;
    w.Entry.Name = std::string(name);
    w.Entry.Phone = KeepNumberChars(number);
    w.Entry.Position = std::string(position);
    w.Line = at::CpbwEntry(pos, w.Entry.Phone, name);
    return w;
}

}  // namespace parlenko
