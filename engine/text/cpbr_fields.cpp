#include "engine/text/cpbr_fields.h"

#include "engine/core/strings.h"

namespace parlenko {

std::string ExtractQuoted(std::string_view line) {
    auto first = line.find('"');
    if (first == std::string_view::npos) return {};
    auto second = line.find('"', first + 1);
    if (second == std::string_view::npos) return {};
    return std::string(line.substr(first + 1, second - first - 1));
}

std::string FirstFieldPadded(std::string_view line) {
    auto blank = line.find(' ');
    std::string_view field = blank == std::string_view::npos ? line : line.substr(blank + 1);
    field = field.substr(0, field.find(','));
    auto value = ParseInt(field);
    if (!value || *value < 0) return {};
    return IntToStrPadded(*value, 3);
}

}  // namespace parlenko
