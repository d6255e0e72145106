#include "engine/general/general_answers.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/text/clock_format.h"
#include "engine/text/date_text.h"

#include <optional>

namespace parlenko {

namespace {

// The first character of a field read as a digit.
std::optional<int> LeadingDigit(std::string_view field) {
    if (field.empty() || field[0] < '0' || field[0] > '9') return std::nullopt;
    return field[0] - '0';
}

// The digit of the first field after the response prefix; a line without
// the prefix has no value.
int CodeAfterPrefix(std::string_view line) {
    AnswerReader r(line);
    if (!r.SkipPrefix()) return -1;
    return LeadingDigit(r.NextField()).value_or(-1);
}

std::string_view StatusText(int stat) {
    switch (stat) {
        case 0: return "Not checked in, not searching.";
        case 1: return "Checked in.";
        case 2: return "Not checked in, but searching.";
        case 3: return "Check-in denied by network.";
        case 4: return "Unknown.";
        case 5: return "Registered, roaming.";
        default: return {};
    }
}

}  // namespace

std::string ParseCpas(std::string_view line) {
    switch (CodeAfterPrefix(line)) {
        case 0: return "Ready.";
        case 3: return "Incoming call.";
        case 4: return "Call is active.";
        default: return {};
    }
}

std::string ParseCclk(std::string_view line) {
    const auto when = ParseCclkAnswer(line);
    if (!when) return {};
    const auto day = std::chrono::floor<std::chrono::days>(*when);
    const std::chrono::hh_mm_ss<std::chrono::seconds> time{*when - day};
    return FormatDateText(std::chrono::year_month_day{day}) + "    " +
           IntToStrPadded(time.hours().count(), 2) + ":" +
           IntToStrPadded(time.minutes().count(), 2) + ":" +
           IntToStrPadded(time.seconds().count(), 2);
}

std::string ParseCbc(std::string_view line) {
    switch (CodeAfterPrefix(line)) {
        case 0: return "Mobile is supplied from battery.";
        case 1: return "Mobile has battery, but is not supplied from there.";
        case 2: return "Mobile has no battery connected.";
        case 3: return "Error!";
        default: return {};
    }
}

Registration ParseCreg(std::string_view line) {
    AnswerReader r(line);
    r.SkipPrefix();
    std::string_view first = r.NextField();
    const bool notice = !r.HasField() || r.Peek() == '"';
    while (notice && !first.empty() && first.front() == ' ') first.remove_prefix(1);
    const std::string_view stat = notice ? first : r.NextField();

    Registration reg;
    reg.status = std::string(StatusText(LeadingDigit(stat).value_or(-1)));
    if (!r.HasField()) return reg;
    const std::string_view area = r.NextUnquoted();
    if (!r.HasField()) return reg;  // an area without its cell counts as neither
    reg.area = std::string(area);
    reg.cell = std::string(Unquoted(r.Rest()));
    return reg;
}

std::string ParseCsca(std::string_view line) {
    AnswerReader r(line);
    if (!r.SkipPrefix()) return {};
    return std::string(r.NextString().value_or(std::string_view()));
}

}  // namespace parlenko
