// The settings page's commands over the simulated phone: nothing while the
// port is closed, the set commands' outcomes, and the clock both ways.

#include "engine/text/clock_format.h"
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono;
using std::chrono::local_seconds;

local_seconds At(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return local_days{year{y} / m / d} + hours{hh} + minutes{mm} + seconds{ss};
}

class FakeClock : public ISystemClock {
public:
    ClockSetResult SetLocalTime(local_seconds when) override {
        set.push_back(when);
        return answer;
    }
    local_seconds LocalNow() const override { return now; }
    std::vector<local_seconds> set;
    ClockSetResult answer = ClockSetResult::Set;
    local_seconds now = At(2026, 12, 7, 10, 30, 5);
};

// Connected to the default S45 with the general page hidden, so that only
// the page's commands talk.
struct Connected : SimPhoneRig {
    Connected() {
        state().Options.GeneralPageShown = false;
        Connect();
        engine.SetSystemClock(&clock_);
        from = CommandCount();
        host.statusMessages.clear();
    }
    std::vector<std::string> Sent() { return Commands(from); }
    FakeClock clock_;
    std::size_t from = 0;
};

TEST(SettingsCommands, NothingIsSentWhileThePortIsClosed) {
    SimPhoneRig s(phonesim::MakeDefaultState(), {.openPort = false});
    s.engine.ReadOtherSettings();
    s.engine.SetSmsCentre("+385980501");
    s.engine.SetAlertSound(2);
    s.engine.SetVibration(true);
    s.engine.SetRingerLevel(4);
    s.engine.SetPricePerUnit("HRK", "0.80", "5678");
    s.engine.SetPhoneClockFromPc();
    s.engine.SetPcClockFromPhone();
    s.clock.RunFor(3000);
    EXPECT_TRUE(s.Commands().empty());
    EXPECT_FALSE(s.state().Chain.ReadingOtherSettings);
    EXPECT_FALSE(s.state().Chain.SettingClock);
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(SettingsCommands, SetCommandsReportTheirOutcome) {
    Connected s;
    s.engine.SetAlertSound(2);
    s.clock.RunFor(1000);
    s.engine.SetVibration(true);
    s.clock.RunFor(1000);
    s.engine.SetRingerLevel(5);
    s.clock.RunFor(1000);
    s.engine.SetPricePerUnit("EUR", "0.25", "5678");
    s.clock.RunFor(1000);
    EXPECT_THAT(s.Sent(), ElementsAre("AT+CALM=2", "AT+CVIB=1", "AT+CRSL=5",
                                      "AT+CPUC=\"EUR\",\"0.25\",\"5678\""));
    EXPECT_THAT(s.host.statusMessages,
                ElementsAre("Alert sound succesfully set!", "Vibration alert succesfully set!",
                            "Speaker volume succesfully set!", "Price per unit succesfully set!"));
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_TRUE(s.host.mainWindowEnabled);

    // A wrong PIN 2 is the phone's error code.
    s.engine.SetPricePerUnit("EUR", "0.30", "1111");
    s.clock.RunFor(1000);
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].text,
              "Error occurred communicating with mobile!\r\rReason:  Incorrect password  (16)");

    // A refused command shows its own text.
    s.phone().AddFault({.command = "AT+CRSL=", .result = "ERROR"});
    s.engine.SetRingerLevel(2);
    s.clock.RunFor(1000);
    ASSERT_EQ(s.host.dialogs.size(), 2u);
    EXPECT_EQ(s.host.dialogs[1].text,
              "Error occured while trying to\rset speaker level in mobile!");
    EXPECT_TRUE(s.host.mainWindowEnabled);
}

TEST(SettingsCommands, NewSmsCentreIsReadBackEvenWhenRefused) {
    Connected s;
    s.engine.SetSmsCentre("+385980501");
    s.clock.RunFor(5000);
    auto sent = s.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "AT+CSCA=\"+385980501\"");
    EXPECT_EQ(sent[1], "AT+CSCA?");
    EXPECT_EQ(s.state().Settings.SmscEdit, "+385980501");
    EXPECT_EQ(s.host.statusMessages.front(), "Phone number of SMS center succesfully saved!");

    s.phone().AddFault({.command = "AT+CSCA=", .result = "ERROR"});
    s.from = s.CommandCount();
    s.engine.SetSmsCentre("+385910401");
    s.clock.RunFor(5000);
    sent = s.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1], "AT+CSCA?");
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].text,
              "Error occurred while trying to set\rphone number of SMS center in mobile!");
    EXPECT_EQ(s.state().Settings.SmscEdit, "+385980501");
}

TEST(SettingsCommands, TextThatWouldBreakTheQuotesIsNotSent) {
    Connected s;
    s.engine.SetSmsCentre("+385\",1");
    s.engine.SetPricePerUnit("H\"K", "0.80", "5678");
    s.engine.SetPricePerUnit("HRK", "0.80\rATD0911", "5678");
    s.clock.RunFor(2000);
    EXPECT_TRUE(s.Sent().empty());
}

TEST(SettingsCommands, PcClockGoesToThePhone) {
    Connected s;
    s.engine.SetPhoneClockFromPc();
    s.clock.RunFor(1000);
    EXPECT_THAT(s.Sent(), ElementsAre("AT+CCLK=\"26/12/07,10:30:05\""));
    EXPECT_THAT(s.phone().ClockText(s.clock.NowMs()), ::testing::StartsWith("26/12/07,10:30:0"));
    EXPECT_THAT(s.host.statusMessages, ElementsAre("Date and time succesfully saved in mobile!"));

    s.phone().AddFault({.command = "AT+CCLK=", .result = "ERROR"});
    s.engine.SetPhoneClockFromPc();
    s.clock.RunFor(1000);
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].text,
              "Error occured while trying to\rsave date and time in mobile!");
}

TEST(SettingsCommands, PhoneClockGoesToThePcOrTheReasonIsShown) {
    Connected s;
    const std::string shown = s.state().GeneralInfo.DatMobLab;
    const auto elapsed = seconds{s.clock.NowMs() / 1000};
    s.engine.SetPcClockFromPhone();
    s.clock.RunFor(1000);
    EXPECT_THAT(s.Sent(), ElementsAre("AT+CCLK?"));
    ASSERT_EQ(s.clock_.set.size(), 1u);
    // The phone's clock started at 2005-03-15 12:34:56 and ran since.
    EXPECT_GE(s.clock_.set[0], At(2005, 3, 15, 12, 34, 56) + elapsed);
    EXPECT_LE(s.clock_.set[0], At(2005, 3, 15, 12, 34, 56) + elapsed + seconds{2});
    EXPECT_EQ(s.state().GeneralInfo.DatMobLab, shown);
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_TRUE(s.host.statusMessages.empty());

    for (auto [answer, reason] :
         {std::pair{ClockSetResult::NoPrivilege, "Reason:  no administrator rights"},
          {ClockSetResult::NetworkTime, "Reason:  the computer takes its time from the network"}}) {
        s.clock_.answer = answer;
        s.host.dialogs.clear();
        s.engine.SetPcClockFromPhone();
        s.clock.RunFor(1000);
        ASSERT_EQ(s.host.dialogs.size(), 1u);
        EXPECT_EQ(s.host.dialogs[0].text,
                  std::string("Cannot set date and time of computer!\r\r") + reason);
        EXPECT_TRUE(s.host.mainWindowEnabled);
    }
}

}  // namespace
}  // namespace parlenko::testing
