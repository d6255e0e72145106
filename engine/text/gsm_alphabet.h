#pragma once
// The phone keeps names and message texts in the GSM 03.38 default alphabet;
// the PC side works with 8-bit Windows-1252 text. This unit holds the two
// character sets a user may type, the tests and filters against them, and the
// conversions in both directions. All functions are pure.

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// One bit per byte value.
using CharSet = std::bitset<256>;

// The characters a phonebook name or message text may hold: 32..90, 95,
// 97..122 and the euro, pound, yen signs and the German umlauts and sharp s.
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
// The message editor's test: text characters, CR and LF.
bool IsSmsText(std::string_view s);

// Every byte outside TextCharSet replaced by "?".
std::string ReplaceUnsupportedChars(std::string_view s);
// Only the bytes of NumberCharSet, in order.
std::string KeepNumberChars(std::string_view s);

// --- From the phone ---

// A phonebook name as the phone stores it (GSM codes) converted to text.
std::string PhonebookNameFromGsm(std::string_view name);
// The user data of a decoded SMS converted from GSM codes; codes that have no
// character here are dropped, CR and LF survive.
std::string SmsTextFromGsm(std::string_view text);

// --- To the phone ---

// A name as it goes between the quotes of "AT+CPBW": characters of the GSM
// table become a backslash and two upper-case hex digits of their code, the
// double quote "\22", anything outside TextCharSet "?".
std::string EscapeGsmText(std::string_view name);
// A message text as raw GSM code units for the 7-bit encoder: CR dropped,
// LF kept as 10, characters outside the text set "?".
std::string SmsTextToGsm(std::string_view text);

// --- From the PC's UTF-8 text to the phone ---

// The characters of a UTF-8 text (composed first) that a name or message
// text cannot hold: those outside TextCharSet once in Windows-1252, CR and LF
// allowed with lineBreaks. Each as UTF-8, in text order, duplicates included.
std::vector<std::string> UnsupportedChars(std::string_view utf8, bool lineBreaks = false);

// A UTF-8 text as the phone stores it.
struct PhoneText {
    std::string Text;                  // Windows-1252, every character in TextCharSet
    std::vector<std::string> Changed;  // the characters changed (UTF-8), in order, each once
};
// The first maxChars characters of a UTF-8 text (composed first) as the
// phone stores them: a character of TextCharSet stays, a Croatian letter
// with a diacritic becomes its plain letter (č and ć become c, đ d, š s,
// ž z; capitals likewise), every other character "?".
PhoneText ToPhoneText(std::string_view utf8, std::size_t maxChars = std::string::npos);

}  // namespace parlenko
