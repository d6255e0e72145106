#pragma once
// The phone keeps names and message texts in the GSM 03.38 default alphabet
// and its extension table (ESC followed by a code). This unit holds that one
// table, both ways, and every conversion of the phone's text built on it: to
// and from characters (Unicode), to and from the program's 8-bit text (the
// names and numbers the engine holds: Windows-1252 with the phone's Greek
// capitals and a lone ESC at their GSM codes, exchange/formats/text_encoding.h),
// the escapes of a name inside "AT+CPBW", and the checks of a typed text.
//
// A lone ESC (one that starts no character of the extension table) is kept:
// it is shown as ␛ (exchange::kLoneEscapeSign) and goes back to the phone as
// the ESC it was, so that a text read from the phone goes back byte for byte.
//
// Besides the alphabet: the text set (the characters texts that go to
// the phone as they stand may hold) and the number set. All functions are pure.

#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// One bit per byte value.
using CharSet = std::bitset<256>;

// The characters an appointment's text, and the texts of settings sent as
// they stand, may hold: 32..90, 95, 97..122 and the euro, pound, yen signs
// and the German umlauts and sharp s.
CharSet MakeTextCharSet();
// The characters a phone number may hold: "#", "*", "+" and the digits.
CharSet MakeNumberCharSet();
// The sets above, built once and never changed.
const CharSet& TextCharSet();
const CharSet& NumberCharSet();

// True when every byte of s is in the set (an empty text passes).
bool AllInSet(std::string_view s, const CharSet& set);
bool IsValidText(std::string_view s);
bool IsValidNumber(std::string_view s);
// A security code as SIMs and networks take it: digits only, 4 to 8 of them
// for the PIN, PIN2 and phone code, exactly 4 for the network's barring
// password (networkPassword).
bool IsValidSecurityCode(std::string_view s, bool networkPassword);

// Only the bytes of NumberCharSet, in order.
std::string KeepNumberChars(std::string_view s);

// --- The alphabet ------------------------------------------------------------

inline constexpr unsigned char kGsmEscape = 27;

// The character of a code of the default alphabet (the low 7 bits count);
// ESC gives the sign of a lone ESC.
char32_t GsmChar(unsigned char code);
// The character of ESC followed by code; nullopt when the extension table
// has none there.
std::optional<char32_t> GsmExtensionChar(unsigned char code);
// The codes of a character: one, or ESC and one; empty when the alphabet
// lacks it.
std::string GsmCodes(char32_t ch);
// Septets a character takes in a message: two for a character of the
// extension table, one for any other.
int GsmUnits(char32_t ch);

// Codes to characters: ESC and a code of the extension table is that
// character, any other ESC a lone ESC; a byte above 127, which no code is,
// is read as the 8-bit text's character.
std::u32string GsmToChars(std::string_view codes);

// Characters to codes, and the characters the phone cannot hold (those the
// alphabet lacks, and a lone ESC that the next character's codes would turn
// into a character of the extension table), in text order.
struct GsmEncoding {
    std::string Codes;
    std::u32string Refused;
};
GsmEncoding CharsToGsm(std::u32string_view chars);

// --- From the phone ----------------------------------------------------------

// A phonebook name (GSM codes) as the engine holds it (8-bit text).
std::string PhonebookNameFromGsm(std::string_view codes);
// Any other text the phone sends in its alphabet (an alphanumeric sender, a
// cell broadcast) as 8-bit text; the same conversion.
inline std::string PhoneTextFromGsm(std::string_view codes) { return PhonebookNameFromGsm(codes); }
// The user data of a 7-bit message (GSM codes) as UTF-8; every code has its
// character, CR and LF stay as they are.
std::string SmsTextFromGsm(std::string_view codes);

// --- To the phone ------------------------------------------------------------

// The 8-bit text holds only characters the phone stores, every one as itself.
bool IsPhoneText(std::string_view text);
// Septets of an 8-bit text in the phone (a character of the extension table
// counts two).
int GsmLength(std::string_view text);
// A name (8-bit text) as it goes between the quotes of "AT+CPBW": each code
// that is not the ASCII character it stands for (and the double quote)
// becomes a backslash and two upper-case hex digits; a character the phone
// cannot hold becomes "?" (the callers refuse such a name first).
std::string EscapeGsmText(std::string_view name);
// A message text (8-bit) as raw GSM codes for the 7-bit encoder: CR dropped,
// LF kept as 10, a character the phone cannot hold "?" (the compose window
// refuses such a text first).
std::string SmsTextToGsm(std::string_view text);

// --- From the PC's UTF-8 text to the phone -----------------------------------

// What a text may hold on its way to the phone.
enum class PhoneChars {
    Name,     // the alphabet, without line breaks
    Message,  // the alphabet with CR and LF
    TextSet,  // TextCharSet: an appointment's text, a setting sent as it stands
};

// The characters of a UTF-8 text (composed first) that the phone cannot
// take. Each as UTF-8, in text order, duplicates included.
std::vector<std::string> UnsupportedChars(std::string_view utf8,
                                          PhoneChars kind = PhoneChars::Name);

// A UTF-8 text as the phone stores it.
struct PhoneText {
    std::string Text;                  // 8-bit text the phone takes whole
    std::vector<std::string> Changed;  // the characters changed (UTF-8), in order, each once
};
// The first maxChars characters of a UTF-8 text (composed first) as the
// phone stores them: a character it takes stays, a Croatian letter with a
// diacritic becomes its plain letter (č and ć become c, đ d, š s, ž z;
// capitals likewise), every other character "?".
PhoneText ToPhoneText(std::string_view utf8, std::size_t maxChars = std::string::npos,
                      PhoneChars kind = PhoneChars::Name);

}  // namespace parlenko
