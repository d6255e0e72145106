#pragma once
// One row of the appointments list as the page shows it, and the pictures
// that tell its category and alarm.

#include <string>

namespace parlenko {

// Row pictures by category: the even one with the alarm on, the odd one with it off.
inline constexpr int kImageAnniversaryAlarm = 58;
inline constexpr int kImageMemoAlarm = 60;
inline constexpr int kImageMeetingAlarm = 62;
inline constexpr int kImagePhoneCallAlarm = 64;

struct AppointmentRow {
    std::string Caption;     // the text; for a phone call the phonebook name of the number
    std::string Category;    // "Memo", "Phone call", "Meeting", "Anniversary"
    std::string Repetition;  // "Once", "Daily", "Weekly", "Monthly", "Annualy"
    std::string Date;        // dd.mm.yyyy
    std::string Time;        // hh:mm:ss
    std::string Position;    // the calendar slot ("vcs" index) as plain digits
    int Image = kImageMemoAlarm + 1;
    // The entry's text as the phone keeps it: for a phone call the number,
    // whatever name the caption shows for it.
    std::string Text;
    bool operator==(const AppointmentRow&) const = default;
};

// Where a new calendar entry goes: the lowest free slot of the calendar read.
enum class AppointmentSlotStatus {
    NotRead,  // the calendar was not read yet
    Full,     // every slot is used
    Free,     // the slot is free
};
struct AppointmentSlotChoice {
    AppointmentSlotStatus Status = AppointmentSlotStatus::NotRead;
    int Slot = 0;
    bool operator==(const AppointmentSlotChoice&) const = default;
};

}  // namespace parlenko
