#pragma once
// iCalendar files of the calendar store, read and written through libical.

#include <optional>
#include <string>
#include <string_view>

namespace parlenko::exchange::store {

// A wall-clock time of this machine (or of the phone, which has no zone).
struct LocalDateTime {
    int Year = 0;
    int Month = 0;  // 1..12
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const LocalDateTime&) const = default;
};

// The recurrence types of the exchange (Outlook's numbers).
inline constexpr int olRecursDaily = 0;
inline constexpr int olRecursWeekly = 1;
inline constexpr int olRecursMonthly = 2;
inline constexpr int olRecursMonthNth = 3;
inline constexpr int olRecursYearly = 5;
inline constexpr int olRecursYearNth = 6;

// What the exchange uses of an event; UTF-8 texts.
struct AppointmentFields {
    std::string Subject;
    std::string Categories;  // "Business, Meeting"
    std::string Body;        // the description
    LocalDateTime Start;
    bool ReminderSet = false;
    std::optional<int> RecurrenceType;  // none: not recurring
    bool operator==(const AppointmentFields&) const = default;
};

// The VEVENT of a file (the one without RECURRENCE-ID):
//   Subject         SUMMARY
//   Categories      every CATEGORIES value, joined with ", "
//   Body            DESCRIPTION
//   Start           DTSTART in this machine's local time: UTC and TZID times
//                   converted (a TZID without its VTIMEZONE through libical's
//                   built-in zones), floating times as written, a date at 00:00:00
//   ReminderSet     the event has a VALARM
//   RecurrenceType  from the RRULE's FREQ: DAILY (and more frequent) 0,
//                   WEEKLY 1, MONTHLY 2 (3 with BYDAY), YEARLY 5 (6 with BYDAY)
// nullopt when the file is no iCalendar or holds no such VEVENT (a to-do).
std::optional<AppointmentFields> ReadAppointment(std::string_view bytes);

// A VCALENDAR 2.0 with PRODID and one VEVENT: UID, DTSTAMP (stampUtc, seconds
// since 1970), SUMMARY, one CATEGORIES per comma-separated category, the
// Body as DESCRIPTION (none when it is empty), DTSTART
// as floating local time, DTEND 30 minutes later, an RRULE of FREQ only
// (DAILY, WEEKLY, MONTHLY, YEARLY for 0, 1, 2 and 3, 5 and 6), and for
// ReminderSet a DISPLAY alarm at the start.
std::string WriteAppointment(const AppointmentFields& a, std::string_view uid, long long stampUtc);

}  // namespace parlenko::exchange::store
