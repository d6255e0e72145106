#include "engine/pdu/pdu_helpers.h"

#include "engine/core/strings.h"

#include <array>

namespace parlenko {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Windows-1252 0x80..0x9F in Unicode. The five bytes that code page leaves
// undefined map to the C1 control of the same value.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

int HexToByte(std::string_view pair) {
    if (pair.size() != 2) return 0;
    int hi = HexDigitValue(pair[0]), lo = HexDigitValue(pair[1]);
    if (hi < 0 || lo < 0) return 0;
    return hi * 16 + lo;
}

std::string ByteToHex(int value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    value &= 0xFF;
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string SwapSemiOctets(std::string_view pair) {
    std::string t = Trim(pair);
    if (t.size() != 2) return {};
    return {t[1], t[0]};
}

std::string ByteToBinText(int value, bool seven) {
    std::string bits;
    for (int b = seven ? 6 : 7; b >= 0; --b) bits.push_back((value >> b) & 1 ? '1' : '0');
    return bits;
}

int BinTextToByte(std::string_view bits) {
    int v = 0;
    for (char c : bits) v = ((v << 1) | (c == '1' ? 1 : 0)) & 0xFF;
    return v;
}

char SemiOctetToNumberChar(char c) {
    if (c == 'A') return '*';
    if (c == 'B') return '#';
    return c;
}

char NumberCharToSemiOctet(char c) {
    if (c >= '0' && c <= '9') return c;
    if (c == '*') return 'A';
    if (c == '#') return 'B';
    return 0;
}

std::string ValidityPeriodText(std::string_view pair) {
    int v = HexToByte(pair);
    if (v <= 143) {
        const int minutes = (v + 1) * 5;
        return IntToStr(minutes) + " minutes";
    }
    if (v <= 167) {
        // 12 hours and then steps of 30 minutes.
        int minutes = 720 + (v - 143) * 30;
        std::string text = IntToStr(minutes / 60) + " hours";
        // Appended: GCC 12 warns falsely (-Wrestrict) on " " + a temporary string.
        if (minutes % 60) text.append(" ").append(IntToStr(minutes % 60)).append(" minutes");
        return text;
    }
    if (v <= 196) return IntToStr(v - 166) + " days";
    return IntToStr(v - 192) + " weeks";
}

char Ucs2ToWindows1252(std::uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (unit >= 0x100 && kCp1252High[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

std::uint16_t Windows1252ToUcs2(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b <= 0x9F) return kCp1252High[b - 0x80];
    return b;
}

}  // namespace parlenko
