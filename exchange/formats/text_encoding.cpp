#include "exchange/formats/text_encoding.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <array>
#include <cstdint>
#include <vector>

namespace parlenko::exchange {
namespace {

// 0x80..0x9F; 0 marks an unassigned byte, read as the C1 control of its value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

// 0x10..0x1B: the phone's letters that Windows-1252 lacks, at their GSM codes
// (0x11 is the GSM underscore, which the code page has: it stays a control).
constexpr std::array<char32_t, 12> kPhoneLetters = {0x0394, 0x11,   0x03A6, 0x0393,
                                                    0x039B, 0x03A9, 0x03A0, 0x03A8,
                                                    0x03A3, 0x0398, 0x039E, kLoneEscapeSign};
constexpr unsigned char kFirstPhoneLetter = 0x10;

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// UTF-16 of text, each broken sequence as U+FFFD; empty on a failure of ICU.
std::u16string ToUtf16(std::string_view text) {
    if (text.empty()) return {};
    std::vector<UChar> buffer(text.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(buffer.data(), static_cast<int32_t>(buffer.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return {};
    return {buffer.begin(), buffer.begin() + length};
}

std::u16string Nfc(const std::u16string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status) || text.empty()) return text;
    // Composition never makes a text longer than its decomposed form's triple.
    std::vector<UChar> buffer(text.size() * 3 + 1);
    const int32_t length =
        unorm2_normalize(nfc, text.data(), static_cast<int32_t>(text.size()), buffer.data(),
                         static_cast<int32_t>(buffer.size()), &status);
    if (U_FAILURE(status)) return text;
    return {buffer.begin(), buffer.begin() + length};
}

template <typename Each>
void ForEachCodePoint(std::u16string_view s, Each each) {
    const auto length = static_cast<int32_t>(s.size());
    for (int32_t i = 0; i < length;) {
        UChar32 cp = 0;
        U16_NEXT(s.data(), i, length, cp);
        each(static_cast<char32_t>(cp));
    }
}

}  // namespace

char32_t Windows1252CodePoint(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0) return kHigh[c - 0x80];
    if (c >= kFirstPhoneLetter && c < kFirstPhoneLetter + kPhoneLetters.size())
        return kPhoneLetters[c - kFirstPhoneLetter];
    return c;
}

std::optional<char> Windows1252Byte(char32_t cp) {
    for (std::size_t i = 0; i < kPhoneLetters.size(); ++i)
        if (kPhoneLetters[i] == cp) return static_cast<char>(kFirstPhoneLetter + i);
    const bool phoneLetterByte =
        cp >= kFirstPhoneLetter && cp < kFirstPhoneLetter + kPhoneLetters.size();
    if ((cp < 0x80 && !phoneLetterByte) || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80 + i)) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (IsSurrogate(cp) || cp > 0x10FFFF) cp = kReplacement;
    auto put = [&out](char32_t v) { out.push_back(static_cast<char>(v)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) AppendUtf8(out, Windows1252CodePoint(ch));
    return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
    std::string out;
    for (char32_t cp : ComposedCodePoints(text)) out.push_back(Windows1252Byte(cp).value_or('?'));
    return out;
}

std::u32string ComposedCodePoints(std::string_view text) {
    std::u32string out;
    ForEachCodePoint(Nfc(ToUtf16(text)), [&out](char32_t cp) { out.push_back(cp); });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    // U16_NEXT gives a lone surrogate as itself; AppendUtf8 writes it U+FFFD.
    ForEachCodePoint(units, [&out](char32_t cp) { AppendUtf8(out, cp); });
    return out;
}

std::string ValidUtf8(std::string_view text) { return Utf16ToUtf8(ToUtf16(text)); }

bool IsAscii(std::string_view text) {
    for (char ch : text)
        if (static_cast<unsigned char>(ch) >= 0x80) return false;
    return true;
}

std::string FoldCase(std::string_view text) {
    std::string out;
    ForEachCodePoint(ToUtf16(text), [&out](char32_t cp) {
        AppendUtf8(
            out, static_cast<char32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT)));
    });
    return out;
}

std::optional<char> PlainCroatianLetter(char32_t cp) {
    switch (cp) {
        case U'č':
        case U'ć': return 'c';
        case U'Č':
        case U'Ć': return 'C';
        case U'đ': return 'd';
        case U'Đ': return 'D';
        case U'š': return 's';
        case U'Š': return 'S';
        case U'ž': return 'z';
        case U'Ž': return 'Z';
        default: return std::nullopt;
    }
}

}  // namespace parlenko::exchange
