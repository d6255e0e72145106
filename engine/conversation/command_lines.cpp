#include "engine/conversation/command_lines.h"

#include "engine/core/strings.h"
#include "engine/text/gsm_alphabet.h"

#include <algorithm>

namespace parlenko::at {

std::string Line(std::string_view text) {
    std::string s(text);
    s += kCr;
    return s;
}
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (auto p : parts) s += p;
    s += kCr;
    return s;
}
std::string WithDigits(std::string_view command, std::string_view digits) {
    return IsDigitsText(digits) ? Join({command, digits}) : std::string();
}
std::string QuerySet(std::string_view command, int mode, int value) {
    if (mode == 0) return Join({command, "=", IntToStr(value)});
    if (mode == 1) return Join({command, "?"});
    return {};
}
bool IsHexText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}
bool IsDigitsText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool IsQuotedText(std::string_view s) { return IsValidText(s) && s.find('"') == s.npos; }
bool IsDtmfText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
    });
}
bool IsOneCommand(std::string_view line) {
    if (!line.empty() && line.back() == kCr) line.remove_suffix(1);
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 32 || b == 127;
    });
}
std::string EchoOn() { return Line("ATE1"); }
std::string Pdu(std::string_view pdu) {
    if (!IsHexText(pdu)) return {};
    std::string s(pdu);
    s += '\x1a';
    return s;
}
std::string Escape() { return std::string(1, '\x1b'); }
}  // namespace parlenko::at
