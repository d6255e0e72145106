#include "engine/text/next_occurrence.h"

#include <optional>

#include "engine/text/date_text.h"

namespace parlenko {
namespace {

using namespace std::chrono;

// The first month after the entry's month that holds its day and lies after today.
year_month_day NextMonthly(const year_month_day& entry, const year_month_day& today) {
    year_month ym = entry.year() / entry.month();
    while (true) {
        ym += months{1};
        year_month_day candidate = ym / entry.day();
        if (candidate.ok() && sys_days{candidate} > sys_days{today}) return candidate;
    }
}

// The first year after the entry's year holding its day and month and lying after today.
year_month_day NextYearly(const year_month_day& entry, const year_month_day& today) {
    year y = entry.year();
    while (true) {
        y += years{1};
        year_month_day candidate = y / entry.month() / entry.day();
        if (candidate.ok() && sys_days{candidate} > sys_days{today}) return candidate;
    }
}

}  // namespace

std::string NextOccurrence(std::string_view dateText, std::string_view timeText,
                           std::string_view repeatText, local_seconds now) {
    std::string unchanged(dateText);
    auto date = ParseDateText(dateText);
    auto time = ParseTimeText(timeText);
    if (!date || !time) return unchanged;
    if (local_days{*date} + *time >= now) return unchanged;

    const year_month_day today{floor<days>(now)};
    if (repeatText == kRepeatDaily)
        return FormatDateText(year_month_day{sys_days{today} + days{1}});
    if (repeatText == kRepeatWeekly) {
        sys_days d{*date};
        if (d <= sys_days{today}) d += weeks{(sys_days{today} - d) / weeks{1} + 1};
        return FormatDateText(year_month_day{d});
    }
    if (repeatText == kRepeatMonthly) return FormatDateText(NextMonthly(*date, today));
    if (repeatText == kRepeatYearly) return FormatDateText(NextYearly(*date, today));
    return unchanged;
}

const std::array<std::string_view, 7>& DayNames() {
    static constexpr std::array<std::string_view, 7> kNames{
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return kNames;
}

std::string_view DayNameOf(const year_month_day& date) {
    return DayNames()[weekday{sys_days{date}}.c_encoding()];
}

}  // namespace parlenko
