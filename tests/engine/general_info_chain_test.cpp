// The general-information chain: its reception and battery rules, what a
// refused or odd answer leaves on the page, the registration fall-back and
// the clock read that sets the computer's clock.

#include "engine/general/general_info_chain.h"
#include "engine/text/clock_format.h"
#include "tests/support/engine_rig.h"
#include "engine/general/general_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;

TEST(ReceptionRule, PercentDbmAndBarsRoundHalvesToEven) {
    // 20/31 = 64.5..% gives 65; 65 / 10 = 6.5 gives 6 bars, not 7.
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 20,99").text, "65%     [ -73 dBm ]");
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 20,99").bars, 6);
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 31,0").text, "100%     [ -51 dBm ]");
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 31,0").bars, 10);
    // A comma in the 8th character: one digit.
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 7,99").text, "23%     [ -99 dBm ]");
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 7,99").bars, 2);
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 0,99").text, "0%     [ -113 dBm ]");
    // 11/31 = 35.48% gives 35; 3.5 gives 4 bars (to even).
    EXPECT_EQ(ReceptionFromCsq("+CSQ: 11,99").bars, 4);
}

TEST(ReceptionRule, UnknownSignalShowsNoLevel) {
    for (const char* answer : {"+CSQ: 99,99", "+CSQ: 32,0", "+CSQ: ", "+CSQ: x,1", ""}) {
        const Reception r = ReceptionFromCsq(answer);
        EXPECT_EQ(r.text, "Unknown.") << answer;
        EXPECT_EQ(r.bars, 0) << answer;
    }
}

TEST(BatteryRule, LevelAndBarsRoundHalvesToEven) {
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,80").text, "80%");
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,80").bars, 8);
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,85").bars, 8);  // 8.5 to even
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,75").bars, 8);  // 7.5 to even
    EXPECT_EQ(BatteryFromCbc("+CBC: 1,100").bars, 10);
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,62.5").text, "62%");  // a fraction, to even
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,63.5").text, "64%");
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,").text, "");
    EXPECT_EQ(BatteryFromCbc("+CBC: 0,8O").text, "");
}

TEST(GeneralInfoChain, RefreshReadsEverythingAgainAndFollowsThePhone) {
    SimPhoneRig s;
    s.Connect();
    auto& phone = s.phone().State();
    phone.batteryStatus = 1;
    phone.batteryLevel = 35;
    phone.rssi = 7;
    phone.regStatus = 5;
    phone.lac = "0F3C";
    phone.cellId = "1A2B";
    RefreshGeneralInfo(s.ctx());
    s.clock.RunFor(3000);
    const GeneralInfoView& v = s.view();
    EXPECT_EQ(v.NapLab, "Mobile has battery, but is not supplied from there.");
    EXPECT_EQ(v.NapBatLab, "35%");
    EXPECT_EQ(v.NapStatBars, 4);
    EXPECT_EQ(v.PrijemLab, "23%     [ -99 dBm ]");
    EXPECT_EQ(v.StatMreLab, "Registered, roaming.");
    EXPECT_EQ(v.PodrucjeLab, "0F3C");
    EXPECT_EQ(v.BazaIDLab, "1A2B");
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

TEST(GeneralInfoChain, OperatorWithoutNameLeavesTheNetworkEmpty) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.regStatus = 2;  // searching: "+COPS: 0" carries no operator
    SimPhoneRig s(seeded);
    s.Connect();
    EXPECT_EQ(s.view().OperLab, "");
    EXPECT_EQ(s.view().NetLocLab, "");
    EXPECT_EQ(s.view().StatMreLab, "Not checked in, but searching.");
    EXPECT_FALSE(s.view().SaveNetLocEnabled);
}

TEST(GeneralInfoChain, RefusedQueryKeepsItsLabelAndTheChainGoesOn) {
    SimPhoneRig s;
    s.Connect();
    s.phone().State().imei = "350000000000000";
    s.phone().State().model = "ME45";
    s.phone().AddFault({.command = "AT+CGSN", .result = "ERROR"});
    const std::size_t before = s.CommandCount();
    RefreshGeneralInfo(s.ctx());
    s.clock.RunFor(3000);
    EXPECT_EQ(s.Commands(before).size(), 14u);
    EXPECT_EQ(s.view().ImeiLab, "350123456789015");  // kept
    EXPECT_EQ(s.view().ModLab, "ME45");
    EXPECT_THAT(s.host.phonePictures, ElementsAre("S45", "ME45"));
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(GeneralInfoChain, RefusedRegistrationNoticesFallBackToStatusOnly) {
    SimPhoneRig s;
    s.phone().AddFault({.command = "AT+CREG=2", .result = "ERROR"});
    s.Connect();
    auto c = s.Commands();
    ASSERT_GE(c.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(c.end() - 4, c.end()),
                ElementsAre("AT+CREG=2", "AT+CREG=1", "AT+CREG?", "AT+CSQ"));
    EXPECT_EQ(s.view().StatMreLab, "Checked in.");
}

TEST(GeneralInfoChain, RegistrationCodeErrorsFallBackWithoutMessage) {
    SimPhoneRig s;
    s.phone().AddFault({.command = "AT+CREG=2", .result = "+CME ERROR: 4"});
    s.phone().AddFault({.command = "AT+CREG=1", .result = "+CME ERROR: 4"});
    s.Connect();
    auto c = s.Commands();
    ASSERT_GE(c.size(), 4u);
    // A refused "=1" is not asked again: the query follows.
    EXPECT_THAT(std::vector<std::string>(c.end() - 4, c.end()),
                ElementsAre("AT+CREG=2", "AT+CREG=1", "AT+CREG?", "AT+CSQ"));
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_EQ(s.view().PrijemLab, "65%     [ -73 dBm ]");
}

TEST(GeneralInfoChain, PlainErrorToStatusOnlyGoesOnWithTheQuery) {
    SimPhoneRig s;
    s.phone().AddFault({.command = "AT+CREG=", .times = 2, .result = "ERROR"});
    s.Connect();
    auto c = s.Commands();
    EXPECT_THAT(std::vector<std::string>(c.end() - 4, c.end()),
                ElementsAre("AT+CREG=2", "AT+CREG=1", "AT+CREG?", "AT+CSQ"));
}

class RecordingClock : public ISystemClock {
public:
    ClockSetResult SetLocalTime(std::chrono::local_seconds when) override {
        set.push_back(when);
        return answer;
    }
    std::vector<std::chrono::local_seconds> set;
    ClockSetResult answer = ClockSetResult::Set;
};

TEST(GeneralInfoChain, ClockForTheComputerStopsTheChain) {
    SimPhoneRig s;
    s.Connect();
    RecordingClock clock;
    s.engine.SetSystemClock(&clock);
    const std::string before = s.view().DatMobLab;
    const std::size_t from = s.CommandCount();
    s.state().Chain.SettingClock = true;
    SendAtCclk(s.ctx(), 1);
    s.clock.RunFor(3000);
    EXPECT_THAT(s.Commands(from), ElementsAre("AT+CCLK?"));
    ASSERT_EQ(clock.set.size(), 1u);
    using namespace std::chrono;
    const auto day = floor<days>(clock.set[0]);
    EXPECT_EQ(year_month_day(day), year{2005} / March / 15);
    EXPECT_FALSE(s.state().Chain.SettingClock);
    EXPECT_EQ(s.view().DatMobLab, before);
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_TRUE(s.host.mainWindowTakesInput);

    // The next refresh shows the clock again.
    RefreshGeneralInfo(s.ctx());
    s.clock.RunFor(3000);
    EXPECT_EQ(clock.set.size(), 1u);
}

TEST(GeneralInfoChain, ClockTheSystemRefusesIsReported) {
    SimPhoneRig s;
    s.Connect();
    RecordingClock clock;
    clock.answer = ClockSetResult::NoPrivilege;
    s.engine.SetSystemClock(&clock);
    s.state().Chain.SettingClock = true;
    SendAtCclk(s.ctx(), 1);
    s.clock.RunFor(3000);
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].caption, "Error");
}

class ClockQueryRefused : public ::testing::TestWithParam<const char*> {};

TEST_P(ClockQueryRefused, ForTheComputerDropsTheRequest) {
    SimPhoneRig s;
    s.Connect();
    RecordingClock clock;
    s.engine.SetSystemClock(&clock);
    s.phone().AddFault({.command = "AT+CCLK?", .result = GetParam()});
    const std::size_t from = s.CommandCount();
    s.state().Chain.SettingClock = true;
    SendAtCclk(s.ctx(), 1);
    s.clock.RunFor(3000);
    const auto sent = s.Commands(from);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "AT+CCLK?");
    // Every form of refusal: the chain goes on with the battery and the rest.
    EXPECT_THAT(sent, ElementsAre("AT+CCLK?", "AT+CBC", "AT+COPS=0,0", "AT+COPS?", "AT+CREG=2",
                                  "AT+CREG?", "AT+CSQ"));
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_FALSE(s.state().Chain.SettingClock);
    // A later refresh shows the clock and leaves the computer's alone.
    RefreshGeneralInfo(s.ctx());
    s.clock.RunFor(3000);
    EXPECT_TRUE(clock.set.empty());
    EXPECT_THAT(s.view().DatMobLab, ::testing::StartsWith("15.03.2005"));
}

INSTANTIATE_TEST_SUITE_P(GeneralInfoChain, ClockQueryRefused,
                         ::testing::Values("ERROR", "+CME ERROR: 3"));

}  // namespace
}  // namespace parlenko::testing
