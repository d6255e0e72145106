#include "engine/pdu/pdu_helpers.h"

#include "engine/core/strings.h"

namespace parlenko {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

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

}  // namespace parlenko
