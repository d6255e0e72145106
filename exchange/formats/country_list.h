#pragma once
// "CountryList.dat", shipped beside the program and never written by it: one
// country per line, its name and its calling code each in square brackets,
//   [Croatia][+385]
// The code is used as it stands (the file decides about "+" and leading zeros).
// Empty lines, and lines not of that shape, are skipped.

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange {

inline constexpr char kCountryListFileName[] = "CountryList.dat";

struct CountryEntry {
    std::string Name;
    std::string Code;
    bool operator==(const CountryEntry&) const = default;
};

// The countries of a file image in file order.
std::vector<CountryEntry> ParseCountryList(std::string_view bytes);
// The countries of folder/"CountryList.dat"; a missing file gives none.
std::vector<CountryEntry> LoadCountryList(const std::string& folder);
// The code of the first country named exactly name (case counts); empty when none.
std::string GetCountryCode(const std::vector<CountryEntry>& countries, std::string_view name);

}  // namespace parlenko::exchange
