// iCalendar files through libical: start times in local time, recurrence
// types, alarms and categories read; the events the store writes.
#include "exchange/store/icalendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace parlenko::exchange::store {
namespace {

class ICalendar : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "Europe/Zagreb", 1);
        ::tzset();
    }
};

std::string Calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines) {
    return Calendar("BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:S\r\n" + lines +
                    "END:VEVENT\r\n");
}

const char kNewYork[] =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\n"
    "DTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\n"
    "DTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

LocalDateTime StartOf(const std::string& file) {
    auto a = ReadAppointment(file);
    return a ? a->Start : LocalDateTime{};
}

TEST_F(ICalendar, StartsAreReadInLocalTime) {
    const std::string ny =
        "BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:S\r\n"
        "DTSTART;TZID=America/New_York:20260710T090000\r\nEND:VEVENT\r\n";
    EXPECT_EQ(StartOf(Calendar(kNewYork + ny)), (LocalDateTime{2026, 7, 10, 15, 0, 0}));
    EXPECT_EQ(StartOf(Calendar(ny)), (LocalDateTime{2026, 7, 10, 15, 0, 0}));  // built-in zone
    EXPECT_EQ(StartOf(Event("DTSTART:20260710T080000Z\r\n")), (LocalDateTime{2026, 7, 10, 10}));
    EXPECT_EQ(StartOf(Event("DTSTART:20260110T080000Z\r\n")), (LocalDateTime{2026, 1, 10, 9}));
    EXPECT_EQ(StartOf(Event("DTSTART:20260710T073015\r\n")),
              (LocalDateTime{2026, 7, 10, 7, 30, 15}));
    EXPECT_EQ(StartOf(Event("DTSTART;VALUE=DATE:20261225\r\n")), (LocalDateTime{2026, 12, 25}));
}

TEST_F(ICalendar, RulesAlarmsAndCategories) {
    const std::pair<const char*, std::optional<int>> rules[] = {
        {"", std::nullopt},
        {"RRULE:FREQ=HOURLY;COUNT=3\r\n", olRecursDaily},
        {"RRULE:FREQ=DAILY\r\n", olRecursDaily},
        {"RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n", olRecursWeekly},
        {"RRULE:FREQ=MONTHLY;BYMONTHDAY=3\r\n", olRecursMonthly},
        {"RRULE:FREQ=MONTHLY;BYDAY=2TU\r\n", olRecursMonthNth},
        {"RRULE:FREQ=YEARLY\r\n", olRecursYearly},
        {"RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n", olRecursYearNth}};
    for (const auto& [rule, type] : rules) {
        auto a = ReadAppointment(Event(std::string("DTSTART:20260710T080000\r\n") + rule));
        ASSERT_TRUE(a) << rule;
        EXPECT_EQ(a->RecurrenceType, type) << rule;
        EXPECT_FALSE(a->ReminderSet);
    }
    auto a = ReadAppointment(
        Event("DTSTART:20260710T080000\r\nCATEGORIES:Business,Meeting\r\nCATEGORIES:Home\r\n"
              "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT15M\r\n"
              "END:VALARM\r\n"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Subject, "S");
    EXPECT_EQ(a->Categories, "Business, Meeting, Home");
    EXPECT_TRUE(a->ReminderSet);
}

TEST_F(ICalendar, OnlyTheMainEventOfAFileIsAnAppointment) {
    EXPECT_FALSE(ReadAppointment(Calendar(
        "BEGIN:VTODO\r\nUID:t\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Todo\r\nEND:VTODO\r\n")));
    EXPECT_FALSE(ReadAppointment("not a calendar"));
    EXPECT_FALSE(ReadAppointment(""));
    auto a = ReadAppointment(
        Calendar("BEGIN:VEVENT\r\nUID:e\r\nRECURRENCE-ID:20260717T080000\r\nSUMMARY:Moved\r\n"
                 "DTSTART:20260718T080000\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nUID:e\r\nSUMMARY:Series\r\nDTSTART:20260710T080000\r\n"
                 "RRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Subject, "Series");
}

TEST_F(ICalendar, WrittenEventsHoldEachFieldAndRule) {
    AppointmentFields a;
    a.Subject = "Sastanak \xC5\xBE";
    a.Categories = "Meeting";
    a.Start = {2026, 12, 7, 10, 15, 0};
    a.ReminderSet = true;
    a.RecurrenceType = olRecursWeekly;
    const std::string text = WriteAppointment(a, "uid-1", 0);
    for (const char* line :
         {"BEGIN:VCALENDAR\r\n", "VERSION:2.0\r\n", "PRODID:", "BEGIN:VEVENT\r\n", "UID:uid-1\r\n",
          "DTSTAMP:19700101T000000Z\r\n", "SUMMARY:Sastanak \xC5\xBE\r\n", "CATEGORIES:Meeting\r\n",
          "DTSTART:20261207T101500\r\n", "DTEND:20261207T104500\r\n", "RRULE:FREQ=WEEKLY\r\n",
          "BEGIN:VALARM\r\n", "ACTION:DISPLAY\r\n", "TRIGGER:PT0S\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(ReadAppointment(text), a);

    for (auto [type, freq] : {std::pair{olRecursDaily, "DAILY"},
                              {olRecursMonthly, "MONTHLY"},
                              {olRecursMonthNth, "MONTHLY"},
                              {olRecursYearly, "YEARLY"},
                              {olRecursYearNth, "YEARLY"}}) {
        a.RecurrenceType = type;
        EXPECT_NE(WriteAppointment(a, "u", 0).find(std::string("RRULE:FREQ=") + freq + "\r\n"),
                  std::string::npos);
    }
    a.RecurrenceType.reset();
    a.ReminderSet = false;
    a.Categories = "Business, Meeting";
    const std::string once = WriteAppointment(a, "u", 0);
    EXPECT_EQ(once.find("RRULE"), std::string::npos);
    EXPECT_EQ(once.find("VALARM"), std::string::npos);
    EXPECT_EQ(ReadAppointment(once), a);
}

}  // namespace
}  // namespace parlenko::exchange::store
