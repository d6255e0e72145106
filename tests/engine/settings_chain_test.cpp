// The chain of the other settings, run from the settings page over the
// simulated phone.

#include "tests/support/engine_rig.h"
#include "engine/settings/settings_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;

// What the settings page's refresh does.
void ReadOtherSettings(SimPhoneRig& s) {
    s.state().Chain.ReadingOtherSettings = true;
    SendAtCsca(s.ctx(), 1);
    s.clock.RunFor(3000);
}

TEST(SettingsChain, ReadsAlertVibrationRingerAndPrice) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.alertMode = 1;
    seeded.vibration = 1;
    seeded.ringerLevel = 4;
    seeded.currency = "EUR";
    seeded.pricePerUnit = "0.25";
    SimPhoneRig s(seeded);
    s.state().Options.GeneralPageShown = false;
    s.Connect();
    const std::size_t from = s.CommandCount();
    ReadOtherSettings(s);
    EXPECT_THAT(s.Commands(from),
                ElementsAre("AT+CSCA?", "AT+CALM?", "AT+CVIB?", "AT+CRSL?", "AT+CPUC?"));
    const PhoneSettingsView& v = s.state().Settings;
    EXPECT_EQ(v.SmscEdit, "+385910401");
    EXPECT_EQ(v.AlertRB, 3);  // "1" checks the third button
    EXPECT_EQ(v.VibraRB, 2);
    EXPECT_EQ(v.RingerTB, 4);
    EXPECT_EQ(v.ValutaEdit, "EUR");
    EXPECT_EQ(v.CijenaEdit, "0.25");
    EXPECT_EQ(s.host.phoneSettings.CijenaEdit, "0.25");
    EXPECT_TRUE(s.host.mainWindowTakesInput);
    // The flag stays until the next connect clears it.
    EXPECT_TRUE(s.state().Chain.ReadingOtherSettings);
    s.Connect();
    EXPECT_FALSE(s.state().Chain.ReadingOtherSettings);
}

TEST(SettingsChain, AlertModesMapToTheirButtons) {
    for (auto [mode, button] : {std::pair{0, 1}, {1, 3}, {2, 2}}) {
        auto seeded = phonesim::MakeDefaultState();
        seeded.alertMode = mode;
        SimPhoneRig s(seeded);
        s.state().Options.GeneralPageShown = false;
        s.Connect();
        ReadOtherSettings(s);
        EXPECT_EQ(s.state().Settings.AlertRB, button) << mode;
    }
}

TEST(SettingsChain, RefusedQueryGoesOnAndTheLastEndsIt) {
    SimPhoneRig s;
    s.state().Options.GeneralPageShown = false;
    s.Connect();
    s.phone().AddFault({.command = "AT+CVIB?", .result = "ERROR"});
    s.phone().AddFault({.command = "AT+CPUC?", .result = "ERROR"});
    const std::size_t from = s.CommandCount();
    ReadOtherSettings(s);
    EXPECT_THAT(s.Commands(from),
                ElementsAre("AT+CSCA?", "AT+CALM?", "AT+CVIB?", "AT+CRSL?", "AT+CPUC?"));
    EXPECT_EQ(s.state().Settings.VibraRB, 0);
    EXPECT_EQ(s.state().Settings.RingerTB, 3);
    EXPECT_EQ(s.state().Settings.ValutaEdit, "");
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

TEST(SettingsChain, RefusedSmsCentreQueryStopsTheSettingsChain) {
    SimPhoneRig s;
    s.state().Options.GeneralPageShown = false;
    s.Connect();
    s.phone().AddFault({.command = "AT+CSCA?", .result = "ERROR"});
    const std::size_t from = s.CommandCount();
    ReadOtherSettings(s);
    EXPECT_THAT(s.Commands(from), ElementsAre("AT+CSCA?"));
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

}  // namespace
}  // namespace parlenko::testing
