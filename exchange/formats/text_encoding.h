#pragma once
// Text in the program's two byte forms and the conversions between them, all
// of them here:
//  - Windows-1252, the 8-bit text of the phone's side and of the files that
//    earlier versions wrote (the phonebook cache, backups, the country list).
//    The phone's alphabet has eleven characters the code page lacks; they are
//    held at their GSM codes, control bytes that no text holds otherwise:
//    the Greek capitals Δ 0x10, Φ 0x12, Γ 0x13, Λ 0x14, Ω 0x15, Π 0x16,
//    Ψ 0x17, Σ 0x18, Θ 0x19, Ξ 0x1A, and 0x1B, an ESC that starts no
//    character of the phone's extension table, shown as ␛ (kLoneEscapeSign).
//    So a name read from the phone keeps every letter in the cache and the
//    backups, byte for byte as before for everything else;
//  - UTF-8, for text that carries more than Windows-1252 holds (UCS2
//    messages, the contacts and calendar store, the desktop's file names and
//    the vCard and vCalendar exports).
// Windows only turn UTF-8 into their own strings and back; the phone's GSM
// alphabet builds on these (engine/text/gsm_alphabet.h).

#include <optional>
#include <string>
#include <string_view>

namespace parlenko::exchange {

// --- one character --------------------------------------------------------

// The sign a lone ESC of the phone's text is shown as: SYMBOL FOR ESCAPE.
inline constexpr char32_t kLoneEscapeSign = 0x241B;

// The character of a Windows-1252 byte (the five unassigned bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D as the C1 control of the same value, as the
// system's code page reads them; the phone's letters at their GSM codes).
char32_t Windows1252CodePoint(char byte);
// The Windows-1252 byte of a character (the phone's letters too); nullopt
// when there is none (the controls 0x10, 0x12..0x1B among them).
std::optional<char> Windows1252Byte(char32_t codePoint);
// A character appended as UTF-8 (a surrogate, which UTF-8 cannot carry, as
// U+FFFD).
void AppendUtf8(std::string& out, char32_t codePoint);

// --- whole texts ----------------------------------------------------------

// Every byte as its character.
std::string Windows1252ToUtf8(std::string_view text);

// The text composed first (NFC, so that "A" + combining ring is one "Å"), then
// each character that Windows-1252 has becomes its byte and every other one a
// single "?" (an emoji too); each broken UTF-8 sequence is one "?" as well.
std::string Utf8ToWindows1252(std::string_view text);

// The characters of a UTF-8 text, composed (NFC); each broken sequence is
// one U+FFFD.
std::u32string ComposedCodePoints(std::string_view text);

// UTF-16 code units (a UCS2 message) as UTF-8: a surrogate pair is one
// character, a lone surrogate U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// The text with each broken UTF-8 sequence replaced by U+FFFD, for writing.
std::string ValidUtf8(std::string_view text);

// True when every byte is below 0x80 (the text reads the same in every
// encoding here).
bool IsAscii(std::string_view text);

// The text case-folded character by character ("Š" and "š" alike), for
// comparing names with case ignored; broken sequences as U+FFFD.
std::string FoldCase(std::string_view text);

// The plain letter of a Croatian letter with a diacritic: č, ć -> c; đ -> d;
// š -> s; ž -> z, capitals likewise; nullopt for every other character.
std::optional<char> PlainCroatianLetter(char32_t codePoint);

}  // namespace parlenko::exchange
