// The settings page's refresh and clock over the simulated phone: nothing
// while the port is closed, the computer's time to the phone, and the
// phone's time to the computer or the reason it was not set.

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
    return local_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss};
}

class FakeClock : public ISystemClock {
public:
    ClockSetResult SetLocalTime(local_seconds when) override {
        set.push_back(when);
        return answer;
    }
    std::vector<local_seconds> set;
    ClockSetResult answer = ClockSetResult::Set;
};

// Connected to the default S45 with the general page hidden, so that only
// the page's commands talk.
struct Connected : SimPhoneRig {
    Connected() {
        state().Options.GeneralPageShown = false;
        Connect();
        engine.SetSystemClock(&pcClock);
        from = CommandCount();
        host.statusMessages.clear();
    }
    std::vector<std::string> Sent() { return Commands(from); }
    FakeClock pcClock;
    std::size_t from = 0;
};

TEST(SettingsPageOps, NothingIsSentWhileThePortIsClosed) {
    SimPhoneRig s(phonesim::MakeDefaultState(), {.openPort = false});
    s.engine.ReadOtherSettings();
    s.engine.SetPhoneClock(At(2026, 12, 7, 10, 30, 5));
    s.engine.SetPcClockFromPhone();
    s.clock.RunFor(3000);
    EXPECT_TRUE(s.Commands().empty());
    EXPECT_FALSE(s.state().Chain.ReadingOtherSettings);
    EXPECT_FALSE(s.state().Chain.SettingClock);
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(SettingsPageOps, PcClockGoesToThePhone) {
    Connected s;
    s.engine.SetPhoneClock(At(2026, 12, 7, 10, 30, 5));
    s.clock.RunFor(1000);
    EXPECT_THAT(s.Sent(), ElementsAre("AT+CCLK=\"26/12/07,10:30:05\""));
    EXPECT_THAT(s.phone().ClockText(s.clock.NowMs()), ::testing::StartsWith("26/12/07,10:30:0"));
    EXPECT_THAT(s.host.statusMessages, ElementsAre("Date and time succesfully saved in mobile!"));
}

TEST(SettingsPageOps, PhoneClockGoesToThePcOrTheReasonIsShown) {
    Connected s;
    const std::string shown = s.state().GeneralInfo.DatMobLab;
    const auto elapsed = seconds{s.clock.NowMs() / 1000};
    s.engine.SetPcClockFromPhone();
    s.clock.RunFor(1000);
    EXPECT_THAT(s.Sent(), ElementsAre("AT+CCLK?"));
    ASSERT_EQ(s.pcClock.set.size(), 1u);
    // The phone's clock started at 2005-03-15 12:34:56 and ran since.
    EXPECT_GE(s.pcClock.set[0], At(2005, 3, 15, 12, 34, 56) + elapsed);
    EXPECT_LE(s.pcClock.set[0], At(2005, 3, 15, 12, 34, 56) + elapsed + seconds{2});
    EXPECT_EQ(s.state().GeneralInfo.DatMobLab, shown);
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_TRUE(s.host.statusMessages.empty());

    for (auto [answer, reason] :
         {std::pair{ClockSetResult::NoPrivilege, "Reason:  no administrator rights"},
          {ClockSetResult::NetworkTime, "Reason:  the computer takes its time from the network"}}) {
        s.pcClock.answer = answer;
        s.host.dialogs.clear();
        s.engine.SetPcClockFromPhone();
        s.clock.RunFor(1000);
        ASSERT_EQ(s.host.dialogs.size(), 1u);
        EXPECT_EQ(s.host.dialogs[0].text,
                  std::string("Cannot set date and time of computer!\r\r") + reason);
        EXPECT_TRUE(s.host.mainWindowTakesInput);
    }
}

}  // namespace
}  // namespace parlenko::testing
