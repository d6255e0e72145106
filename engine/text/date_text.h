#pragma once
// Date and time texts as the whole program writes and reads them: dates
// day.month.four-digit year ("31.12.2003"), times "hh:mm:ss". Local
// wall-clock values are std::chrono::local_days / local_seconds.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// "d.m.yyyy" with one or two digits for day and month; a year of one or two
// digits is taken in this century (2000 + yy). Surrounding blanks are
// allowed. Anything else, or a date that does not exist, gives nullopt.
std::optional<std::chrono::year_month_day> ParseDateText(std::string_view s);
// "dd.mm.yyyy".
std::string FormatDateText(const std::chrono::year_month_day& d);

// "h:mm" or "h:mm:ss" within one day; anything else gives nullopt.
std::optional<std::chrono::seconds> ParseTimeText(std::string_view s);
// "hh:mm:ss" of a time of day (taken modulo one day).
std::string FormatTimeText(std::chrono::seconds timeOfDay);

// The machine's local wall-clock time now, to the second.
std::chrono::local_seconds LocalNow();

}  // namespace parlenko
