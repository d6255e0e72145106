#include "engine/text/balance_amount.h"
#include "engine/text/clock_format.h"
#include "engine/text/date_text.h"
#include "engine/text/error_texts.h"
#include "engine/text/next_occurrence.h"
#include "engine/text/phone_models.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/text/sms_counts.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace parlenko {
namespace {

using namespace std::chrono;

local_seconds At(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return local_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss};
}

class RecordingClock : public ISystemClock {
public:
    explicit RecordingClock(ClockSetResult answer) : answer_(answer) {}
    ClockSetResult SetLocalTime(local_seconds when) override {
        set = when;
        return answer_;
    }
    std::optional<local_seconds> set;

private:
    ClockSetResult answer_;
};

TEST(DateText, ReadsAndWritesDayMonthYear) {
    EXPECT_EQ(ParseDateText("05.03.2003"), year{2003} / 3 / 5);
    EXPECT_EQ(ParseDateText("5.3.03"), year{2003} / 3 / 5);
    EXPECT_EQ(ParseDateText("29.02.2024"), year{2024} / 2 / 29);
    for (const char* bad :
         {"29.02.2023", "31.04.2024", "", "1.2", "a.b.c", "1..2024", "1.2.2024x", "01.13.2024"})
        EXPECT_FALSE(ParseDateText(bad)) << bad;
    EXPECT_EQ(FormatDateText(year{2003} / 3 / 5), "05.03.2003");
    EXPECT_EQ(ParseTimeText("23:59:58"), hours{23} + minutes{59} + seconds{58});
    EXPECT_EQ(ParseTimeText("7:05"), hours{7} + minutes{5});
    for (const char* bad : {"24:00:00", "12:60", "", "12", "1:2:3:4", "ab:cd"})
        EXPECT_FALSE(ParseTimeText(bad)) << bad;
    EXPECT_EQ(FormatTimeText(hours{7} + minutes{5} + seconds{9}), "07:05:09");
}

TEST(Clock, FormatsThePcClockForThePhone) {
    EXPECT_EQ(FormatPcClockForPhone(At(2003, 12, 31, 23, 59, 58)), "\"03/12/31,23:59:58\"");
    EXPECT_EQ(FormatPcClockForPhone(At(2010, 1, 2, 3, 4, 5)), "\"10/01/02,03:04:05\"");
}

TEST(Clock, SetsThePcClockFromThePhoneAndReportsTheOutcome) {
    RecordingClock clock(ClockSetResult::Set);
    EXPECT_EQ(SetPcClockFromPhone("+CCLK: \"03/12/31,23:59:58\"", clock), ClockSetResult::Set);
    EXPECT_EQ(clock.set, At(2003, 12, 31, 23, 59, 58));

    RecordingClock refusing(ClockSetResult::NoPrivilege);
    EXPECT_EQ(SetPcClockFromPhone("+CCLK: \"24/02/29,08:00:00\"", refusing),
              ClockSetResult::NoPrivilege);
    EXPECT_EQ(refusing.set, At(2024, 2, 29, 8, 0, 0));

    RecordingClock untouched(ClockSetResult::Set);
    for (const char* bad : {"+CCLK: \"03/12/31,23:59\"", "+CCLK: \"03/13/31,23:59:58\"",
                            "+CCLK: \"03/02/30,12:00:00\"", "+CCLK: \"03/12/31,25:00:00\"",
                            "+CCLK: \"0x/12/31,23:59:58\"", "+CCLK: 03/12/31,23:59:58\"", "",
                            "+CCLK: \"+3/12/31,23:59:58\""}) {
        EXPECT_EQ(SetPcClockFromPhone(bad, untouched), ClockSetResult::MalformedAnswer) << bad;
    }
    EXPECT_FALSE(untouched.set);
}

TEST(PhoneModels, LogoSizes) {
    EXPECT_EQ(PhoneModels().size(), 13u);
    EXPECT_EQ(LogoSizeText("S45"), "101 x 46");
    EXPECT_EQ(LogoSizeText("S25"), "97 x 26");
    EXPECT_EQ(LogoSizeText("s45"), "??? x ???");
    EXPECT_EQ(LogoSizeText(""), "??? x ???");
}

TEST(PhoneModels, NamedMelodyListStopsAfterItsLastCategory) {
    auto items = FillMelodyList("C35i", 25);
    ASSERT_EQ(items.size(), 22u);
    EXPECT_EQ(items[0], "01  -  Mute");
    EXPECT_EQ(items[1], "02  -  Standard");
    EXPECT_EQ(items[6], "07  -  Standard");
    EXPECT_EQ(items[7], "08  -  Traditional");
    EXPECT_EQ(items[8], "09  -  Pop music");
    EXPECT_EQ(items[20], "21  -  Pop music");
    EXPECT_EQ(items[21], "22  -  Individual");
    EXPECT_EQ(OverwritableMelodies(items), std::vector<std::string>{"22  -  Individual"});

    auto sl45 = FillMelodyList("SL45", 43);
    ASSERT_EQ(sl45.size(), 43u);
    EXPECT_EQ(sl45[6], "07  -  Classical");
    EXPECT_EQ(OverwritableMelodies(sl45).size(), 3u);  // 41 and above
}

TEST(PhoneModels, NumberedMelodyList) {
    auto items = FillMelodyList("C45", 24);
    ASSERT_EQ(items.size(), 24u);
    EXPECT_EQ(items[0], "01  -  Mute");
    EXPECT_EQ(items[1], "02  -  Melody no. 2");
    EXPECT_EQ(items[20], "21  -  Melody no. 21");
    EXPECT_EQ(
        OverwritableMelodies(items),
        (std::vector<std::string>{"22  -  Individual", "23  -  Individual", "24  -  Individual"}));
    EXPECT_EQ(FillMelodyList("S45", 40).back(), "40  -  Individual");
    EXPECT_TRUE(FillMelodyList("Nokia", 10).empty());
    EXPECT_TRUE(FillMelodyList("S45", 0).empty());
    EXPECT_EQ(FillMelodyList("S45", 2147483647).size(), 999u);  // a wild count does not run away
}

TEST(NextOccurrence, EntryStillAheadKeepsItsDate) {
    const auto now = At(2024, 5, 15, 12, 0, 0);
    EXPECT_EQ(NextOccurrence("15.05.2024", "12:00:00", "Weekly", now), "15.05.2024");
    EXPECT_EQ(NextOccurrence("1.6.2024", "08:00:00", "Daily", now), "1.6.2024");
}

TEST(NextOccurrence, Weekly) {
    // Wednesday 15 May 2024, noon. An entry of three weeks ago at 09:00 passed
    // earlier today: next week's Wednesday.
    const auto now = At(2024, 5, 15, 12, 0, 0);
    EXPECT_EQ(NextOccurrence("24.04.2024", "09:00:00", "Weekly", now), "22.05.2024");
    // Its time today is still ahead: still a week on, the date alone decides.
    EXPECT_EQ(NextOccurrence("24.04.2024", "18:00:00", "Weekly", At(2024, 5, 15, 17, 0, 0)),
              "22.05.2024");
    EXPECT_EQ(NextOccurrence("13.05.2024", "09:00:00", "Weekly", now), "20.05.2024");
}

TEST(NextOccurrence, MonthlyOnThe31stSkipsShortMonths) {
    EXPECT_EQ(NextOccurrence("31.12.2023", "10:00:00", "Monthly", At(2024, 3, 31, 12, 0, 0)),
              "31.05.2024");
    EXPECT_EQ(NextOccurrence("31.12.2023", "10:00:00", "Monthly", At(2024, 1, 15, 12, 0, 0)),
              "31.01.2024");
    // Within the entry's own month it still moves to a later month.
    EXPECT_EQ(NextOccurrence("01.05.2024", "10:00:00", "Monthly", At(2024, 5, 15, 12, 0, 0)),
              "01.06.2024");
}

TEST(NextOccurrence, YearlyOn29FebruaryLandsOnLeapYears) {
    EXPECT_EQ(NextOccurrence("29.02.2020", "10:00:00", "Annualy", At(2024, 3, 1, 12, 0, 0)),
              "29.02.2028");
    EXPECT_EQ(NextOccurrence("29.02.2020", "10:00:00", "Annualy", At(2021, 1, 1, 0, 0, 0)),
              "29.02.2024");
    EXPECT_EQ(NextOccurrence("10.06.2020", "10:00:00", "Annualy", At(2024, 3, 1, 12, 0, 0)),
              "10.06.2024");
}

TEST(NextOccurrence, DailyOtherTextsAndMalformedInput) {
    const auto now = At(2024, 12, 31, 12, 0, 0);
    EXPECT_EQ(NextOccurrence("01.01.2020", "10:00:00", "Daily", now), "01.01.2025");
    EXPECT_EQ(NextOccurrence("01.01.2020", "10:00:00", "Once", now), "01.01.2020");
    EXPECT_EQ(NextOccurrence("01.01.2020", "10:00:00", "", now), "01.01.2020");
    EXPECT_EQ(NextOccurrence("01.01.2020", "10:00:00", "weekly", now), "01.01.2020");
    EXPECT_EQ(NextOccurrence("32.01.2020", "10:00:00", "Weekly", now), "32.01.2020");
    EXPECT_EQ(NextOccurrence("garbage", "10:00:00", "Monthly", now), "garbage");
    EXPECT_EQ(NextOccurrence("01.01.2020", "", "Daily", now), "01.01.2020");
}

TEST(DayNames, FromSunday) {
    EXPECT_EQ(DayNames()[0], "Sunday");
    EXPECT_EQ(DayNames()[6], "Saturday");
    EXPECT_EQ(DayNameOf(year{2024} / 5 / 15), "Wednesday");
}

TEST(PhoneErrorText, KnownUnknownAndSmsCodes) {
    EXPECT_EQ(PhoneErrorText(515), "Phone busy");
    EXPECT_EQ(PhoneErrorText(0), "Phone failure");
    EXPECT_EQ(PhoneErrorText(305), "invalid text mode");
    EXPECT_EQ(PhoneErrorText(304), "invalid pdu parameter");
    EXPECT_EQ(PhoneErrorText(310), "Sim not inserted");
    EXPECT_EQ(PhoneErrorText(7), "     ");
    EXPECT_EQ(PhoneErrorText(-1), "     ");
    EXPECT_EQ(PhoneErrorText(561), "     ");
}

TEST(TextCounters, BalanceAmount) {
    EXPECT_EQ(KeepDigitsAndSeparators("Vas racun: 12,50 kn."), "12,50");
    EXPECT_EQ(KeepDigitsAndSeparators("Stanje 1.234,00."), "1.234,00");
    EXPECT_EQ(KeepDigitsAndSeparators("no digits here"), "");
    EXPECT_EQ(KeepDigitsAndSeparators("."), "");
}

TEST(TextCounters, NameByNumber) {
    std::vector<AListIme> book{{"Ana", "+385981", "SM", "001"},
                               {"Boss!", "0912", "ME", "002"},
                               {"", "555", "SM", "003"},
                               {"Second", "+385981", "ME", "004"}};
    EXPECT_EQ(FindNameByNumber("+385981", book), "Ana");
    EXPECT_EQ(FindNameByNumber("0912", book), "Boss");
    EXPECT_EQ(FindNameByNumber("555", book), "");
    EXPECT_EQ(FindNameByNumber("385981", book), "");
    EXPECT_EQ(FindNameByNumber("1", {}), "");
}

TEST(TextCounters, SmsFolders) {
    std::vector<AListSMS> list;
    for (const char* status : {"0", "1", "0", "1", "1", "2", "3"}) {
        AListSMS m;
        m.Status = status;
        list.push_back(m);
    }
    EXPECT_EQ(SmsFolderCountText(CountSmsFolder(list, SmsFolder::Incoming)), "(5/2 new)");
    EXPECT_EQ(SmsFolderCountText(CountSmsFolder(list, SmsFolder::Outgoing)), "(2/1 new)");
    EXPECT_EQ(SmsFolderCountText(CountSmsFolder({}, SmsFolder::Incoming)), "(0/0 new)");
}

TEST(TextCounters, LineBreaksCountOnce) {
    EXPECT_EQ(CountCR("one\r\ntwo\r\nthree"), 2);
    EXPECT_EQ(CountCharsExceptCR("one\r\ntwo\r\nthree"), 13);
    EXPECT_EQ(CountCR(""), 0);
    EXPECT_EQ(CountCharsExceptCR(""), 0);
}

}  // namespace
}  // namespace parlenko
