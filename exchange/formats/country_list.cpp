#include "exchange/formats/country_list.h"

#include "exchange/formats/atomic_file.h"
#include "exchange/formats/text_lines.h"

#include <optional>

namespace parlenko::exchange {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// "[" name "]" "[" code "]", both texts non-empty; blanks around the brackets are allowed.
std::optional<CountryEntry> ParseLine(std::string_view line) {
    line = TrimBlanks(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view name = TrimBlanks(line.substr(1, close - 1));
    std::string_view rest = TrimBlanks(line.substr(close + 1));
    if (rest.size() < 2 || rest.front() != '[' || rest.back() != ']') return std::nullopt;
    std::string_view code = TrimBlanks(rest.substr(1, rest.size() - 2));
    if (name.empty() || code.empty() || code.find_first_of("[]") != std::string_view::npos)
        return std::nullopt;
    return CountryEntry{std::string(name), std::string(code)};
}

}  // namespace

std::vector<CountryEntry> ParseCountryList(std::string_view bytes) {
    std::vector<CountryEntry> countries;
    for (const auto& line : SplitLines(bytes))
        if (auto entry = ParseLine(line)) countries.push_back(std::move(*entry));
    return countries;
}

std::vector<CountryEntry> LoadCountryList(const std::string& folder) {
    auto bytes = ReadFileBytes(JoinPath(folder, kCountryListFileName));
    return bytes ? ParseCountryList(*bytes) : std::vector<CountryEntry>{};
}

std::string GetCountryCode(const std::vector<CountryEntry>& countries, std::string_view name) {
    for (const auto& c : countries)
        if (c.Name == name) return c.Code;
    return {};
}

}  // namespace parlenko::exchange
