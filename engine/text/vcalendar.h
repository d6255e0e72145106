#pragma once
// A calendar entry as the phone keeps it: a small vCalendar 1.0 object,
// carried as hex text in the "vcs" binary objects. Only the subset below is
// written and understood:
//
//   BEGIN:VCALENDAR / VERSION:1.0 / BEGIN:VEVENT
//   CATEGORIES:MISCELLANEOUS | PHONE CALL | MEETING | ANNIVERSARY
//   DALARM:<stamp>              (the alarm, at the start time)
//   DTSTART:<stamp>             (yyyymmddThhmmss)
//   RRULE:D1 | D7 | MD1 <dd> | YD1
//   DESCRIPTION:<text>          (the phone's form) or SUMMARY:<text> (a file;
//                               SUMMARY;CHARSET=UTF-8:<text> beyond ASCII)
//   END:VEVENT / END:VCALENDAR
//
// every line ending CR LF.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// In the order of the appointment editor's lists.
enum class AppointmentCategory { Memo = 0, PhoneCall = 1, Meeting = 2, Anniversary = 3 };
enum class AppointmentRepeat { Once = 0, Daily = 1, Weekly = 2, Monthly = 3, Yearly = 4 };

struct VCalendarEntry {
    AppointmentCategory Category = AppointmentCategory::Memo;
    AppointmentRepeat Repeat = AppointmentRepeat::Once;
    std::string Text;  // Windows-1252 (a file holds it in UTF-8 when it is not ASCII)
    bool Alarm = false;
    std::chrono::year_month_day Date{};
    std::chrono::seconds Time{0};  // time of day
};

enum class VCalendarForm {
    Phone,  // hex text, the text as DESCRIPTION
    File,   // plain text, the text as SUMMARY
};

// The object of an entry. CR and LF are taken out of the text: a line break
// inside it would start a property of its own.
std::string BuildVCalendar(const VCalendarEntry& entry, VCalendarForm form);

// The six texts of an entry as the appointments list shows them. A text is
// empty when its line is missing or holds a value this subset does not know.
struct VCalendarTexts {
    std::string Description;  // DESCRIPTION
    std::string Category;     // "Memo", "Phone call", "Meeting", "Anniversary"
    std::string Date;         // DTSTART as dd.mm.yyyy
    std::string Time;         // DTSTART as hh:mm:ss
    std::string Alarm;        // "Active" when there is a DALARM line
    std::string Repetition;   // "Daily", "Weekly", "Monthly", "Annualy"
    bool operator==(const VCalendarTexts&) const = default;
};

// The texts of an object in hex text as the phone returns it. Lines end at
// CR, LF or CR LF; the first line that starts with a key (case-sensitive)
// decides its text. Hex text of odd length or with a pair that is not hex
// gives nullopt.
std::optional<VCalendarTexts> ParseVCalendar(std::string_view hex);

}  // namespace parlenko
