#pragma once
// Cutting the amount out of a prepaid-balance answer.

#include <string>
#include <string_view>

namespace parlenko {

// The digits, "." and "," of s in order, without one trailing "."
// ("Stanje: 12,50 kn." -> "12,50").
std::string KeepDigitsAndSeparators(std::string_view s);

}  // namespace parlenko
