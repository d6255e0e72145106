#pragma once
// The phone keeps names and message texts in the GSM 03.38 default alphabet;
// the PC side works with 8-bit Windows-1252 text. This unit holds the two
// character sets a user may type, the tests and filters against them, and the
// conversions in both directions. All functions are pure.

#include <bitset>
#include <string>
#include <string_view>

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

// The name field of a whole "+CPBR:" answer line (index,"number",type,"name")
// converted from GSM codes. A line with fewer than three quotes has no name
// field and gives an empty text.
std::string PhonebookTextFromGsm(std::string_view line);
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

}  // namespace parlenko
