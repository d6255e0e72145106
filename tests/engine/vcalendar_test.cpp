// Calendar entries as vCalendar text: the object we build (golden bytes and
// hex), and the six texts read back from ours and from the phone's own form.
#include "engine/text/hex_text.h"
#include "engine/text/vcalendar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <string>

namespace parlenko {
namespace {

using namespace std::chrono;

VCalendarEntry Meeting() {
    VCalendarEntry e;
    e.Category = AppointmentCategory::Meeting;
    e.Repeat = AppointmentRepeat::Monthly;
    e.Text = "Sastanak";
    e.Alarm = true;
    e.Date = 2002y / May / 17d;
    e.Time = hours(18) + minutes(30);
    return e;
}

TEST(VCalendar, BuildsTheFileAndThePhoneForm) {
    EXPECT_EQ(BuildVCalendar(Meeting(), VCalendarForm::File),
              "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
              "CATEGORIES:MEETING\r\nDALARM:20020517T183000\r\nDTSTART:20020517T183000\r\n"
              "RRULE:MD1 17\r\nSUMMARY:Sastanak\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    // A file's text beyond ASCII is UTF-8, and its property says so.
    VCalendarEntry birthday = Meeting();
    birthday.Text = "Geburtstag J\xF6rg";
    EXPECT_NE(BuildVCalendar(birthday, VCalendarForm::File)
                  .find("\r\nSUMMARY;CHARSET=UTF-8:Geburtstag J\xC3\xB6rg\r\n"),
              std::string::npos);

    VCalendarEntry memo;
    memo.Text = "A";
    memo.Date = 2003y / January / 2d;
    memo.Time = hours(3) + minutes(4) + seconds(5);
    EXPECT_EQ(BuildVCalendar(memo, VCalendarForm::Phone),
              "424547494E3A5643414C454E4441520D0A56455253494F4E3A312E300D0A4245"
              "47494E3A564556454E540D0A43415445474F524945533A4D495343454C4C414E"
              "454F55530D0A445453544152543A3230303330313032543033303430350D0A44"
              "45534352495054494F4E3A410D0A454E443A564556454E540D0A454E443A5643"
              "414C454E4441520D0A");
}

TEST(VCalendar, ReadsBackEveryFieldOfABuiltObject) {
    const auto texts = ParseVCalendar(BuildVCalendar(Meeting(), VCalendarForm::Phone));
    ASSERT_TRUE(texts);
    EXPECT_EQ(*texts, (VCalendarTexts{"Sastanak", "Meeting", "17.05.2002", "18:30:00", "Active",
                                      "Monthly"}));

    // Each rule and category comes back as the list shows it; "every day"
    // stays "Daily" so that an edit or an export keeps it.
    struct Case {
        AppointmentCategory category;
        AppointmentRepeat repeat;
        const char* categoryText;
        const char* repeatText;
    };
    for (const Case& c :
         {Case{AppointmentCategory::Memo, AppointmentRepeat::Once, "Memo", ""},
          Case{AppointmentCategory::PhoneCall, AppointmentRepeat::Daily, "Phone call", "Daily"},
          Case{AppointmentCategory::Anniversary, AppointmentRepeat::Weekly, "Anniversary",
               "Weekly"},
          Case{AppointmentCategory::Meeting, AppointmentRepeat::Yearly, "Meeting", "Annualy"}}) {
        VCalendarEntry e = Meeting();
        e.Category = c.category;
        e.Repeat = c.repeat;
        e.Alarm = false;
        const auto t = ParseVCalendar(BuildVCalendar(e, VCalendarForm::Phone));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->Category, c.categoryText);
        EXPECT_EQ(t->Repetition, c.repeatText);
        EXPECT_EQ(t->Alarm, "");
    }
}

TEST(VCalendar, ReadsThePhonesOwnForm) {
    const std::string sample =
        "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
        "CATEGORIES:ANNIVERSARY\r\nDTSTART:19991213T100000\r\n"
        "RRULE:YD1\r\nDESCRIPTION:Birthday\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const VCalendarTexts expected{"Birthday", "Anniversary", "13.12.1999", "10:00:00",
                                  "",         "Annualy"};
    EXPECT_EQ(ParseVCalendar(BytesToHex(sample)), expected);

    // Lower-case hex and lines ended by LF alone read the same.
    std::string lf = sample;
    std::erase(lf, '\r');
    std::string lower = BytesToHex(lf);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(ParseVCalendar(lower), expected);

    // A rule or a category outside what we write reads as empty.
    const auto other = ParseVCalendar(BytesToHex("CATEGORIES:HOLIDAY\r\nRRULE:W1 MO\r\n"));
    ASSERT_TRUE(other);
    EXPECT_EQ(*other, VCalendarTexts{});
}

TEST(VCalendar, ALineBreakInTheTextForgesNoProperty) {
    VCalendarEntry e = Meeting();
    e.Repeat = AppointmentRepeat::Once;
    e.Alarm = false;
    e.Text = "Call\r\nRRULE:D1\nDALARM:1";
    const auto t = ParseVCalendar(BuildVCalendar(e, VCalendarForm::Phone));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Description, "CallRRULE:D1DALARM:1");
    EXPECT_EQ(t->Repetition, "");
    EXPECT_EQ(t->Alarm, "");
}

TEST(VCalendar, HexThatIsNotHexIsRefused) {
    EXPECT_FALSE(ParseVCalendar("4245474"));  // odd length
    EXPECT_FALSE(ParseVCalendar("42G5"));     // not a hex pair
    EXPECT_FALSE(ParseVCalendar("42 5"));
    EXPECT_EQ(ParseVCalendar(""), VCalendarTexts{});
}

}  // namespace
}  // namespace parlenko
