#include "engine/text/vcalendar.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/text/hex_text.h"
#include "engine/text/next_occurrence.h"
#include "exchange/formats/exports.h"

#include <array>
#include <vector>

namespace parlenko {

namespace {

struct CategoryRow {
    std::string_view written;  // after "CATEGORIES:"
    std::string_view shown;    // in the appointments list
};

// Indexed by AppointmentCategory.
constexpr std::array<CategoryRow, 4> kCategories = {{
    {"MISCELLANEOUS", "Memo"},
    {"PHONE CALL", "Phone call"},
    {"MEETING", "Meeting"},
    {"ANNIVERSARY", "Anniversary"},
}};

constexpr std::string_view kCrLf = "\r\n";

// yyyymmddThhmmss.
std::string Stamp(const std::chrono::year_month_day& date, std::chrono::seconds time) {
    const long long total = ((time.count() % 86400) + 86400) % 86400;
    return IntToStrPadded(static_cast<int>(date.year()), 4) +
           IntToStrPadded(static_cast<unsigned>(date.month()), 2) +
           IntToStrPadded(static_cast<unsigned>(date.day()), 2) + "T" +
           IntToStrPadded(total / 3600, 2) + IntToStrPadded(total / 60 % 60, 2) +
           IntToStrPadded(total % 60, 2);
}

std::string RuleLine(const VCalendarEntry& e) {
    switch (e.Repeat) {
        case AppointmentRepeat::Daily: return "RRULE:D1";
        case AppointmentRepeat::Weekly: return "RRULE:D7";
        case AppointmentRepeat::Monthly:
            return "RRULE:MD1 " + IntToStrPadded(static_cast<unsigned>(e.Date.day()), 2);
        case AppointmentRepeat::Yearly: return "RRULE:YD1";
        case AppointmentRepeat::Once: break;
    }
    return {};
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\r' && text[k] != '\n') continue;
        lines.push_back(text.substr(start, k - start));
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
        start = k + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The rest of the first line that starts with key; nullopt when none does.
std::optional<std::string_view> ValueOf(const std::vector<std::string_view>& lines,
                                        std::string_view key) {
    for (std::string_view line : lines)
        if (line.starts_with(key)) return line.substr(key.size());
    return std::nullopt;
}

std::string CategoryText(std::string_view value) {
    for (const auto& row : kCategories)
        if (value == row.written) return std::string(row.shown);
    return {};
}

std::string RepetitionText(std::string_view rule) {
    if (rule == "D1") return std::string(kRepeatDaily);
    if (rule == "D7") return std::string(kRepeatWeekly);
    if (rule.starts_with("MD1")) return std::string(kRepeatMonthly);
    if (rule == "YD1") return std::string(kRepeatYearly);
    return {};
}

// Three texts with a separator between them ("31.12.2003", "23:59:58").
std::string JoinThree(std::string_view first, char separator, std::string_view second,
                      std::string_view third) {
    std::string out(first);
    out.append(1, separator).append(second).append(1, separator).append(third);
    return out;
}

// dd.mm.yyyy from the stamp's first eight characters.
std::string StampDate(std::string_view stamp) {
    AnswerReader r(stamp);
    const std::string_view year = r.NextChars(4);
    const std::string_view month = r.NextChars(2);
    return JoinThree(r.NextChars(2), '.', month, year);
}

// hh:mm:ss from the six characters after the "T"; empty without a "T".
std::string StampTime(std::string_view stamp) {
    const auto t = stamp.find('T');
    if (t == std::string_view::npos) return {};
    AnswerReader r(stamp.substr(t + 1));
    const std::string_view hours = r.NextChars(2);
    const std::string_view minutes = r.NextChars(2);
    return JoinThree(hours, ':', minutes, r.NextChars(2));
}

}  // namespace

std::string BuildVCalendar(const VCalendarEntry& entry, VCalendarForm form) {
    std::string text = entry.Text;
    std::erase(text, '\r');
    std::erase(text, '\n');
    const std::string stamp = Stamp(entry.Date, entry.Time);
    const auto category = static_cast<std::size_t>(entry.Category);

    std::string out;
    const auto line = [&out](std::string_view s) {
        out += s;
        out += kCrLf;
    };
    line("BEGIN:VCALENDAR");
    line("VERSION:1.0");
    line("BEGIN:VEVENT");
    line("CATEGORIES:" + std::string(category < kCategories.size() ? kCategories[category].written
                                                                   : kCategories[0].written));
    if (entry.Alarm) line("DALARM:" + stamp);
    line("DTSTART:" + stamp);
    if (const std::string rule = RuleLine(entry); !rule.empty()) line(rule);
    line(form == VCalendarForm::Phone ? "DESCRIPTION:" + text
                                      : exchange::Utf8Property("SUMMARY", text));
    line("END:VEVENT");
    line("END:VCALENDAR");
    return form == VCalendarForm::Phone ? BytesToHex(out) : out;
}

std::optional<VCalendarTexts> ParseVCalendar(std::string_view hex) {
    const auto bytes = HexToBytes(hex);
    if (!bytes) return std::nullopt;
    const auto lines = SplitLines(*bytes);
    VCalendarTexts t;
    if (auto v = ValueOf(lines, "DESCRIPTION:")) t.Description = std::string(*v);
    if (auto v = ValueOf(lines, "CATEGORIES:")) t.Category = CategoryText(*v);
    if (auto v = ValueOf(lines, "DTSTART:")) {
        t.Date = StampDate(*v);
        t.Time = StampTime(*v);
    }
    if (ValueOf(lines, "DALARM:")) t.Alarm = "Active";
    if (auto v = ValueOf(lines, "RRULE:")) t.Repetition = RepetitionText(*v);
    return t;
}

}  // namespace parlenko
