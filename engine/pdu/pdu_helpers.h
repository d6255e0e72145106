#pragma once
// Small hex, semi-octet and bit-string routines shared by the PDU decoder and
// encoder, and the validity-period texts.

#include <string>
#include <string_view>

namespace parlenko {

// The value of two upper-case hex digits; 0 for anything else (lower-case
// digits, other characters, a pair that is not two characters long).
int HexToByte(std::string_view pair);
// Two upper-case hex digits.
std::string ByteToHex(int value);

// The pair with blanks trimmed and its two characters swapped; empty when
// the trimmed pair is not exactly two characters.
std::string SwapSemiOctets(std::string_view pair);

// The eight bits of value as '0'/'1', most significant first; with seven
// set, without the most significant one.
std::string ByteToBinText(int value, bool seven);
// Bits read most significant first (as if left-padded with '0' to eight);
// any character other than '1' counts as 0; only the last eight bits count.
int BinTextToByte(std::string_view bits);

// A semi-octet digit as it is shown in a number: the hex digits A and B are
// the '*' and '#' keys, every other character stands as it is.
char SemiOctetToNumberChar(char c);
// The semi-octet (hex digit) of a number character: digits as they are, '*'
// as 'A', '#' as 'B'; 0 for any other character.
char NumberCharToSemiOctet(char c);

// Text of a relative validity-period octet given as two hex digits:
// "N minutes" up to 12 hours, "N hours" / "12 hours 30 minutes" style up to
// 24 hours, "N days", "N weeks".
std::string ValidityPeriodText(std::string_view pair);

}  // namespace parlenko
