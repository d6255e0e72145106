#include "engine/text/gsm_alphabet.h"

#include "exchange/formats/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace parlenko {
namespace {

constexpr unsigned char kEsc = 27;
constexpr unsigned char kEuro = 128;     // Windows-1252 euro sign
constexpr unsigned char kEuroExt = 'e';  // ESC "e" in the GSM extension table
constexpr unsigned char kCR = 13;
constexpr unsigned char kLF = 10;

// The characters whose GSM code differs from their Windows-1252 code (the
// euro sign is the two-code ESC "e" and handled apart). The double quote keeps
// its code but must be escaped inside the quoted AT+CPBW name.
struct GsmPair {
    unsigned char ansi;
    unsigned char gsm;
};
constexpr std::array<GsmPair, 13> kGsmTable{{
    {64, 0},     // @
    {163, 1},    // pound sign
    {36, 2},     // $
    {165, 3},    // yen sign
    {95, 17},    // _
    {223, 30},   // sharp s
    {196, 91},   // A diaeresis
    {214, 92},   // O diaeresis
    {220, 94},   // U diaeresis
    {228, 123},  // a diaeresis
    {246, 124},  // o diaeresis
    {252, 126},  // u diaeresis
    {34, 34},    // double quote
}};

std::optional<unsigned char> GsmToAnsi(unsigned char code) {
    for (const auto& p : kGsmTable)
        if (p.gsm == code) return p.ansi;
    return std::nullopt;
}

std::optional<unsigned char> AnsiToGsm(unsigned char c) {
    for (const auto& p : kGsmTable)
        if (p.ansi == c) return p.gsm;
    return std::nullopt;
}

bool IsEuroSequence(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]) == kEsc && i + 1 < s.size() &&
           static_cast<unsigned char>(s[i + 1]) == kEuroExt;
}

void AppendHexEscape(std::string& out, unsigned char code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '\\';
    out += kHex[code >> 4];
    out += kHex[code & 0x0F];
}

// The codes an SMS may carry besides the text set: those of the GSM table
// and the line breaks.
bool IsKeptSmsCode(unsigned char code) {
    if (TextCharSet().test(code) || code == kCR || code == kLF) return true;
    return GsmToAnsi(code).has_value();
}

// GSM text back to Windows-1252: the euro sequence becomes the euro sign, a
// code of the GSM table its character, any other byte stays as it is. With
// smsOnly, codes an SMS may not carry are dropped.
std::string AnsiFromGsm(std::string_view gsm, bool smsOnly) {
    std::string out;
    out.reserve(gsm.size());
    for (std::size_t i = 0; i < gsm.size(); ++i) {
        if (IsEuroSequence(gsm, i)) {
            out += static_cast<char>(kEuro);
            ++i;
            continue;
        }
        auto code = static_cast<unsigned char>(gsm[i]);
        if (smsOnly && !IsKeptSmsCode(code)) continue;
        if (auto ansi = GsmToAnsi(code)) out += static_cast<char>(*ansi);
        else out += gsm[i];
    }
    return out;
}

// The byte of a character when the phone's text (with lineBreaks, CR and LF
// too) holds it.
std::optional<char> PhoneByte(char32_t cp, bool lineBreaks) {
    const auto byte = exchange::Windows1252Byte(cp);
    if (!byte) return std::nullopt;
    const auto c = static_cast<unsigned char>(*byte);
    if (TextCharSet().test(c) || (lineBreaks && (c == kCR || c == kLF))) return byte;
    return std::nullopt;
}

std::string Utf8Char(char32_t cp) {
    std::string out;
    exchange::AppendUtf8(out, cp);
    return out;
}

}  // namespace

CharSet MakeTextCharSet() {
    CharSet set;
    for (std::size_t c = 32; c <= 90; ++c) set.set(c);
    set.set(95);
    for (std::size_t c = 97; c <= 122; ++c) set.set(c);
    for (std::size_t c : {128u, 163u, 165u, 196u, 214u, 220u, 223u, 228u, 246u, 252u}) set.set(c);
    return set;
}

CharSet MakeNumberCharSet() {
    CharSet set;
    for (char c : std::string_view("#*+0123456789")) set.set(static_cast<unsigned char>(c));
    return set;
}

const CharSet& TextCharSet() {
    static const CharSet set = MakeTextCharSet();
    return set;
}

const CharSet& NumberCharSet() {
    static const CharSet set = MakeNumberCharSet();
    return set;
}

bool AllInSet(std::string_view s, const CharSet& set) {
    for (char c : s)
        if (!set.test(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsValidText(std::string_view s) { return AllInSet(s, TextCharSet()); }

bool IsValidNumber(std::string_view s) { return AllInSet(s, NumberCharSet()); }

bool IsValidSecurityCode(std::string_view s, bool networkPassword) {
    const std::size_t least = 4;
    const std::size_t most = networkPassword ? 4 : 8;
    if (s.size() < least || s.size() > most) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsSmsText(std::string_view s) {
    CharSet set = TextCharSet();
    set.set(kCR);
    set.set(kLF);
    return AllInSet(s, set);
}

std::string ReplaceUnsupportedChars(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (!TextCharSet().test(static_cast<unsigned char>(c))) c = '?';
    return out;
}

std::string KeepNumberChars(std::string_view s) {
    std::string out;
    for (char c : s)
        if (NumberCharSet().test(static_cast<unsigned char>(c))) out += c;
    return out;
}

std::string PhonebookNameFromGsm(std::string_view name) { return AnsiFromGsm(name, false); }

std::string SmsTextFromGsm(std::string_view text) { return AnsiFromGsm(text, true); }

std::string EscapeGsmText(std::string_view name) {
    std::string out;
    out.reserve(name.size() * 3);
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        if (!TextCharSet().test(c)) {
            out += '?';
        } else if (c == kEuro) {
            AppendHexEscape(out, kEsc);
            AppendHexEscape(out, kEuroExt);
        } else if (auto gsm = AnsiToGsm(c)) {
            AppendHexEscape(out, *gsm);
        } else {
            out += ch;
        }
    }
    return out;
}

std::string SmsTextToGsm(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == kCR) continue;
        if (c == kLF) {
            out += static_cast<char>(kLF);
        } else if (!TextCharSet().test(c)) {
            out += '?';
        } else if (c == kEuro) {
            out += static_cast<char>(kEsc);
            out += static_cast<char>(kEuroExt);
        } else if (auto gsm = AnsiToGsm(c)) {
            out += static_cast<char>(*gsm);
        } else {
            out += ch;
        }
    }
    return out;
}

std::vector<std::string> UnsupportedChars(std::string_view utf8, bool lineBreaks) {
    std::vector<std::string> out;
    for (char32_t cp : exchange::ComposedCodePoints(utf8))
        if (!PhoneByte(cp, lineBreaks)) out.push_back(Utf8Char(cp));
    return out;
}

PhoneText ToPhoneText(std::string_view utf8, std::size_t maxChars) {
    PhoneText out;
    const std::u32string chars = exchange::ComposedCodePoints(utf8);
    for (std::size_t i = 0; i < chars.size() && i < maxChars; ++i) {
        if (const auto byte = PhoneByte(chars[i], false)) {
            out.Text += *byte;
            continue;
        }
        out.Text += exchange::PlainCroatianLetter(chars[i]).value_or('?');
        std::string changed = Utf8Char(chars[i]);
        if (std::find(out.Changed.begin(), out.Changed.end(), changed) == out.Changed.end())
            out.Changed.push_back(std::move(changed));
    }
    return out;
}

}  // namespace parlenko
