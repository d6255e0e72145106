#include "engine/parse/single_answers.h"

#include "engine/core/strings.h"
#include "engine/text/date_text.h"

#include <optional>
#include <vector>

namespace parlenko {

namespace {

// The one character at 1-based position pos read as a digit.
std::optional<int> DigitAt(std::string_view line, long pos) {
    const std::string c = Copy(line, pos, 1);
    if (c.size() != 1 || c[0] < '0' || c[0] > '9') return std::nullopt;
    return c[0] - '0';
}

std::string StripOneQuotePair(std::string s) {
    if (!s.empty() && s.front() == '"') s.erase(0, 1);
    if (!s.empty() && s.back() == '"') s.pop_back();
    return s;
}

std::vector<std::string> SplitCommas(std::string_view s) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto comma = s.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(s.substr(start));
            return fields;
        }
        fields.emplace_back(s.substr(start, comma - start));
        start = comma + 1;
    }
}

// The registration fields in the answer layout: [0] the prefix with the
// mode, [1] status, [2] area, [3] cell id (and anything after it). A notice
// without the mode gets an empty mode field in front.
std::vector<std::string> CregFields(std::string_view line) {
    auto fields = SplitCommas(line);
    const bool notice = fields.size() == 1 ||
                        (fields.size() >= 2 && !fields[1].empty() && fields[1].front() == '"');
    if (notice) {
        // "+CREG: 1" -> prefix "+CREG: " and the status.
        std::string& first = fields[0];
        const auto colon = first.find(':');
        std::size_t valueStart = colon == std::string::npos ? 0 : colon + 1;
        while (valueStart < first.size() && first[valueStart] == ' ') ++valueStart;
        std::string prefix = first.substr(0, valueStart);
        std::string status = first.substr(valueStart);
        fields[0] = std::move(status);
        fields.insert(fields.begin(), std::move(prefix));
    }
    return fields;
}

}  // namespace

std::string ParseCpas(std::string_view line) {
    switch (DigitAt(line, 8).value_or(-1)) {
        case 0: return "Ready.";
        case 3: return "Incoming call.";
        case 4: return "Call is active.";
        default: return {};
    }
}

std::string ParseCclk(std::string_view line) {
    const std::string dateText =
        Copy(line, 15, 2) + "." + Copy(line, 12, 2) + "." + Copy(line, 9, 2);
    // Two digits each, nothing else: the phone's clock, not a loose date.
    for (std::size_t k : {0u, 1u, 3u, 4u, 6u, 7u})
        if (k >= dateText.size() || dateText[k] < '0' || dateText[k] > '9') return {};
    if (dateText.size() != 8) return {};
    const auto date = ParseDateText(dateText);
    if (!date) return {};
    return FormatDateText(*date) + "    " + Copy(line, 18, 8);
}

std::string ParseCbc(std::string_view line) {
    switch (DigitAt(line, 7).value_or(-1)) {
        case 0: return "Mobile is supplied from battery.";
        case 1: return "Mobile has battery, but is not supplied from there.";
        case 2: return "Mobile has no battery connected.";
        case 3: return "Error!";
        default: return {};
    }
}

std::string ParseCregStat(std::string_view line) {
    const auto fields = CregFields(line);
    if (fields.size() < 2) return {};
    switch (DigitAt(fields[1], 1).value_or(-1)) {
        case 0: return "Not checked in, not searching.";
        case 1: return "Checked in.";
        case 2: return "Not checked in, but searching.";
        case 3: return "Check-in denied by network.";
        case 4: return "Unknown.";
        case 5: return "Registered, roaming.";
        default: return {};
    }
}

std::string ParseCregLac(std::string_view line) {
    const auto fields = CregFields(line);
    if (fields.size() < 4) return {};  // no comma after the area
    return StripOneQuotePair(fields[2]);
}

std::string ParseCregCellId(std::string_view line) {
    const auto fields = CregFields(line);
    if (fields.size() < 4) return {};
    std::string rest = fields[3];
    for (std::size_t k = 4; k < fields.size(); ++k) rest += "," + fields[k];
    return StripOneQuotePair(std::move(rest));
}

std::string ParseCsca(std::string_view line) {
    if (line.size() < 8) return {};
    const std::string rest = CopyFrom(line, 9);
    const auto quote = rest.find('"');
    if (quote == std::string::npos) return {};
    return rest.substr(0, quote);
}

}  // namespace parlenko
