#include "exchange/store/windows1252.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <array>
#include <cstdint>
#include <vector>

namespace parlenko::exchange::store {
namespace {

// 0x80..0x9F; 0 marks an unassigned byte, read as the C1 control of its value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp) {
    auto put = [&out](std::uint32_t v) { out.push_back(static_cast<char>(v)); };
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

char ByteFor(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80 + i)) return static_cast<char>(0x80 + i);
    return '?';
}

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
void ForEachCodePoint(const std::u16string& s, Each each) {
    const auto length = static_cast<int32_t>(s.size());
    for (int32_t i = 0; i < length;) {
        UChar32 cp = 0;
        U16_NEXT(s.data(), i, length, cp);
        each(static_cast<std::uint32_t>(cp));
    }
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const std::uint32_t cp = (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0)
                                     ? std::uint32_t{kHigh[c - 0x80]}
                                     : std::uint32_t{c};
        AppendUtf8(out, cp);
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
    std::string out;
    ForEachCodePoint(Nfc(ToUtf16(text)), [&out](std::uint32_t cp) { out.push_back(ByteFor(cp)); });
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(ToUtf16(text), [&out](std::uint32_t cp) {
        // A lone surrogate cannot be written as UTF-8.
        AppendUtf8(out, (cp >= 0xD800 && cp <= 0xDFFF) ? 0xFFFD : cp);
    });
    return out;
}

std::string FoldCase(std::string_view text) {
    const std::u16string s = ToUtf16(text);
    std::string out;
    ForEachCodePoint(s, [&out](std::uint32_t cp) {
        const auto folded =
            static_cast<std::uint32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
        AppendUtf8(out, (folded >= 0xD800 && folded <= 0xDFFF) ? 0xFFFD : folded);
    });
    return out;
}

}  // namespace parlenko::exchange::store
