#include "engine/core/strings.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>

namespace parlenko {

std::string Copy(std::string_view s, long index, long count) {
    if (count <= 0) return {};
    long start = std::max(index, 1L) - 1;
    if (index < 1) count -= (1 - index);
    if (count <= 0 || start >= static_cast<long>(s.size())) return {};
    return std::string(s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

std::string CopyFrom(std::string_view s, long index) {
    return Copy(s, index, static_cast<long>(s.size()) + 1);
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.starts_with(prefix); }

std::string Trim(std::string_view s) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::optional<long long> ParseInt(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    if (b < e && s[b] == '+') ++b;  // from_chars takes '-' only
    if (b >= e) return std::nullopt;
    long long v = 0;
    auto [ptr, ec] = std::from_chars(s.data() + b, s.data() + e, v);
    if (ec != std::errc() || ptr != s.data() + e) return std::nullopt;
    return v;
}

long long StrToIntDef(std::string_view s, long long def) { return ParseInt(s).value_or(def); }

std::string IntToStr(long long v) { return std::to_string(v); }

std::string IntToStrPadded(long long v, int width) {
    std::string d = std::to_string(v < 0 ? -v : v);
    if (static_cast<int>(d.size()) < width)
        d.insert(0, static_cast<std::size_t>(width) - d.size(), '0');
    return v < 0 ? "-" + d : d;
}

long long RoundHalfEven(double v) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; say so explicitly.
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(old);
    return static_cast<long long>(r);
}

}  // namespace parlenko
