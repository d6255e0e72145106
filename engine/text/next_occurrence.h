#pragma once
// The date shown for a calendar entry: its own date while it lies ahead,
// else the date it repeats on next.

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace parlenko {

// The repetition texts of a calendar entry. Any other text (the empty one,
// "Once") means the entry does not repeat.
inline constexpr std::string_view kRepeatDaily = "Daily";
inline constexpr std::string_view kRepeatWeekly = "Weekly";
inline constexpr std::string_view kRepeatMonthly = "Monthly";
inline constexpr std::string_view kRepeatYearly = "Annualy";

// dateText "dd.mm.yyyy", timeText "hh:mm:ss", now the local time. When the
// entry's moment is not earlier than now, or it does not repeat, the result
// is dateText as given. Otherwise:
//   Daily:   tomorrow;
//   Weekly:  the first date 7, 14, ... days after the entry later than today;
//   Monthly: the first later month holding the entry's day, after today
//            (a 31st skips the shorter months);
//   Annualy: the first later year with the same day and month, after today
//            (29 February lands only on leap years).
// A date or time text that does not read as one gives dateText unchanged.
std::string NextOccurrence(std::string_view dateText, std::string_view timeText,
                           std::string_view repeatText, std::chrono::local_seconds now);

// "Sunday" .. "Saturday"; index 0 is Sunday.
const std::array<std::string_view, 7>& DayNames();
// The day name of a date.
std::string_view DayNameOf(const std::chrono::year_month_day& date);

}  // namespace parlenko
