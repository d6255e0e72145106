#pragma once
// The phone's alphabet (GSM 03.38 default alphabet and its escape table) and
// the hex text that AT commands carry binary data in.
//
// GSM text is held as one byte per code unit (0..127); a character of the
// extension table is the two units ESC (27) and its code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace phonesim {

// UTF-8 text to GSM code units; characters the alphabet lacks become '?'.
std::string Utf8ToGsm(std::string_view utf8);
// GSM code units to UTF-8 (ESC pairs resolved; a lone ESC becomes a blank).
std::string GsmToUtf8(std::string_view gsm);
// Number of septets a GSM text occupies (ESC pairs count two).
inline std::size_t GsmLength(std::string_view gsm) { return gsm.size(); }

// UTF-8 to UTF-16 code units and back (BMP only; others become '?').
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// Upper-case hex, two digits a byte.
std::string ToHex(std::string_view bytes);
std::string ToHex(const std::vector<std::uint8_t>& bytes);
// Hex text (either case, even length) to bytes; nullopt on anything else.
std::optional<std::string> FromHex(std::string_view hex);

// ASCII upper case.
std::string Upper(std::string_view s);

}  // namespace phonesim
