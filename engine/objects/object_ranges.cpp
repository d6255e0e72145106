#include "engine/objects/object_ranges.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"

#include <optional>

namespace parlenko {

namespace {

// The highest index of the object type in the "AT^SBNR=?" answer
// ^SBNR: ("vcs",(0-50)),("bmp",(0-2)),...
// read as pairs of fields, the type and its range; nullopt when the type
// is not listed or its range does not read.
std::optional<long long> HighestIndex(std::string_view line, std::string_view type) {
    AnswerReader r(line);
    r.SkipPrefix();
    while (r.HasField()) {
        std::string_view name = r.NextField();
        std::string_view range = r.NextField();
        if (name.starts_with('(')) name.remove_prefix(1);
        if (Unquoted(name) != type) continue;
        if (!range.starts_with('(') || !range.ends_with("))")) return std::nullopt;
        range = range.substr(1, range.size() - 3);
        const auto dash = range.find('-');
        if (dash == std::string_view::npos) return std::nullopt;
        return ParseInt(range.substr(dash + 1));
    }
    return std::nullopt;
}

}  // namespace

int ParseSbnrVcsRange(std::string_view line) {
    const auto value = HighestIndex(line, "vcs");
    return value && *value >= 0 && *value <= 100000 ? static_cast<int>(*value) : 0;
}

bool ParseSbnrBmpRange(std::string_view line) {
    const auto value = HighestIndex(line, "bmp");
    return value && *value >= 2;
}

}  // namespace parlenko
