#pragma once
// Small helpers shared by the command groups of the simulated phone.

#include "phonesim/gsm_text.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace phonesim::detail {

inline constexpr std::size_t kObjectPacket = 176;  // bytes of one ^SBNR / ^SBNW packet

inline std::optional<int> ToInt(std::string_view s) {
    int v = 0;
    if (s.empty()) return std::nullopt;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

inline std::string Quote(const std::string& s) { return "\"" + s + "\""; }

inline bool ValidNumber(const std::string& n) {
    for (std::size_t i = 0; i < n.size(); ++i) {
        char c = n[i];
        if (c == '+' && i == 0) continue;
        if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == 'p' || c == 'P' || c == 'w' ||
            c == 'W')
            continue;
        return false;
    }
    return true;
}

// The name of +CPBW in the GSM alphabet: raw code units 0..127, or "\HH" escapes.
inline std::optional<std::string> DecodeGsmArgument(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        auto c = static_cast<unsigned char>(raw[i]);
        if (c == '\\' && i + 2 < raw.size()) {
            auto hex = FromHex(raw.substr(i + 1, 2));
            if (hex && static_cast<unsigned char>((*hex)[0]) < 128) {
                out += (*hex)[0];
                i += 2;
                continue;
            }
        }
        if (c > 127) return std::nullopt;
        out += static_cast<char>(c);
    }
    return out;
}

inline const char* const kBarrings[] = {"AO", "OI", "OX", "AI", "IR"};
inline bool IsBarring(const std::string& fac) {
    for (const char* b : kBarrings)
        if (fac == b) return true;
    return false;
}

}  // namespace phonesim::detail
