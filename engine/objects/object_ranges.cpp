#include "engine/objects/object_ranges.h"

#include "engine/core/strings.h"

namespace parlenko {

int ParseSbnrVcsRange(std::string_view line) {
    const auto vcs = line.find("vcs");
    if (vcs == std::string_view::npos) return 0;
    const auto dash = line.find('-', vcs + 1);
    if (dash == std::string_view::npos) return 0;
    const auto close = line.find(')', dash + 1);
    if (close == std::string_view::npos) return 0;
    const auto value = ParseInt(line.substr(dash + 1, close - dash - 1));
    return value && *value >= 0 && *value <= 100000 ? static_cast<int>(*value) : 0;
}

bool ParseSbnrBmpRange(std::string_view line) {
    const auto bmp = line.find("bmp");
    if (bmp == std::string_view::npos) return false;
    const auto open = line.find('(', bmp + 3);
    if (open == std::string_view::npos) return false;
    const std::string_view rest = line.substr(open + 1);
    return rest.size() > 2 && rest[2] == '2';
}

}  // namespace parlenko
