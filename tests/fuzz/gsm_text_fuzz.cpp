// fuzz-links: parlenko_engine
// Phonebook answers and SMS user data come from the phone: the conversions
// must take any bytes, and what they produce must go back to the phone as
// the same codes.
#include "engine/phonebook/cpbr_answer.h"
#include "engine/text/gsm_alphabet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// What the phone does with a name written by AT+CPBW: "\HH" is the code HH.
std::string PhoneUnescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 2 < s.size()) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    std::string_view s(reinterpret_cast<const char*>(data), size);

    const std::string name = ReadCpbrEntry(s).name;
    (void)SmsTextFromGsm(s);
    (void)KeepNumberChars(s);
    (void)UnsupportedChars(s, PhoneChars::Message);
    (void)ToPhoneText(s, 16);

    // An escaped name holds nothing that could end the quoted AT argument.
    for (char c : EscapeGsmText(name))
        if (c == '"' || static_cast<unsigned char>(c) < 32) std::abort();

    // Codes of the alphabet come back as the same codes: as a name, and as a
    // message (without a CR, which a message drops).
    const bool codes = std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; });
    if (!codes) return 0;
    const std::string held = PhonebookNameFromGsm(s);
    if (!IsPhoneText(held) || PhoneUnescape(EscapeGsmText(held)) != s) std::abort();
    if (s.find('\r') == std::string_view::npos && SmsTextToGsm(held) != s) std::abort();
    if (!UnsupportedChars(SmsTextFromGsm(s), PhoneChars::Message).empty()) std::abort();
    return 0;
}
