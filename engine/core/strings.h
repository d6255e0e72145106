#pragma once
// String helpers with the semantics the phone protocol rules are written in:
// 1-based positions, copies that clamp instead of throwing, rounding halves
// to even, and numbers parsed without exceptions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// Copy(s, index, count): count characters from 1-based index; clamps at both ends.
std::string Copy(std::string_view s, long index, long count);
// Everything from 1-based index to the end.
std::string CopyFrom(std::string_view s, long index);

bool StartsWith(std::string_view s, std::string_view prefix);
// Spaces and control characters off both ends.
std::string Trim(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);

// A whole decimal integer with an optional sign, surrounding spaces allowed;
// anything else (empty, trailing garbage, overflow) gives nullopt.
std::optional<long long> ParseInt(std::string_view s);
// ParseInt, or def when the text is not a number.
long long StrToIntDef(std::string_view s, long long def);
std::string IntToStr(long long v);
// Decimal with at least width digits, zero-filled ("001").
std::string IntToStrPadded(long long v, int width);

// Rounds to the nearest integer, halves to even (round(2.5) = 2).
long long RoundHalfEven(double v);

}  // namespace parlenko
