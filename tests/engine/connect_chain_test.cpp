// The connect chain against the simulated phone: the order of the settings,
// what the general page shows afterwards, and the chain's forks.

#include "engine/general/general_info_chain.h"
#include "engine/objects/object_ranges.h"
#include "tests/support/engine_inside.h"
#include "tests/support/engine_rig.h"
#include "engine/settings/settings_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;

const std::vector<std::string> kConnectCommands = {
    "ATZ",       "ATZ",       "ATE1",      "AT+CMEE=1", "AT+CSCA?", "AT+CSMS=1", "AT+CNMI=1,1,0,2",
    "AT^SMGO=1", "AT+CLIP=1", "AT^SBNR=?", "AT+CMGF=0",
};

const std::vector<std::string> kInfoCommands = {
    "AT+CGMI",  "AT+CGMM", "AT+CGMR",     "AT+CPAS",  "AT+CGSN",   "AT+CIMI",  "AT^SCID",
    "AT+CCLK?", "AT+CBC",  "AT+COPS=0,0", "AT+COPS?", "AT+CREG=2", "AT+CREG?", "AT+CSQ",
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ConnectChain, WithTheGeneralPageShownReadsTheSettingsThenTheInformation) {
    SimPhoneRig s;
    s.Connect();
    EXPECT_THAT(s.Commands(), ElementsAreArray(Join(kConnectCommands, kInfoCommands)));

    const GeneralInfoView& v = s.view();
    EXPECT_EQ(v.ProLab, "SIEMENS");
    EXPECT_EQ(v.ModLab, "S45");
    EXPECT_EQ(v.ProModLab, "SIEMENS S45");
    const std::string rule(35, '-');
    EXPECT_EQ(v.ProModHint,
              "SIEMENS S45\r" + rule + "\rIMEI:  350123456789015\rSoftware:  21\r" + rule);
    EXPECT_EQ(v.SoftLab, "21");
    EXPECT_EQ(v.StatMobLab, "Ready.");
    EXPECT_EQ(v.ImeiLab, "350123456789015");
    EXPECT_EQ(v.ImsiLab, "219101234567890");
    EXPECT_EQ(v.SimIdLab, "89385101234567890123");
    EXPECT_THAT(v.DatMobLab, StartsWith("15.03.2005    12:3"));
    EXPECT_EQ(v.NapLab, "Mobile is supplied from battery.");
    EXPECT_EQ(v.NapBatLab, "80%");
    EXPECT_EQ(v.NapStatBars, 8);
    EXPECT_EQ(v.OperLab, "HR VIP");
    EXPECT_EQ(v.StatMreLab, "Checked in.");
    EXPECT_EQ(v.PodrucjeLab, "0DA2");
    EXPECT_EQ(v.BazaIDLab, "5C1F");
    EXPECT_EQ(v.PrijemLab, "65%     [ -73 dBm ]");
    EXPECT_EQ(v.PrijemStatBars, 6);
    EXPECT_EQ(v.NetLocLab, "HR VIP");
    EXPECT_EQ(v.NetLocHint,
              "Network name:  HR VIP\rLocation name:  \rNetwork status:  Checked in.\r"
              "Reception level:  65%");
    EXPECT_TRUE(v.SaveNetLocEnabled);

    // The windows were told, and they show the same copy.
    EXPECT_EQ(s.host.generalInfo.ImeiLab, v.ImeiLab);
    EXPECT_EQ(s.host.generalInfo.PrijemLab, v.PrijemLab);
    EXPECT_THAT(s.host.phonePictures, ElementsAre("S45"));
    EXPECT_EQ(s.host.phoneSettings.SmscEdit, "+385910401");
    EXPECT_EQ(s.host.phoneSettings.SmscLab, "HR VIP  [+385910401]");
    EXPECT_EQ(s.host.capabilities.AppointmentSlots, 49);
    EXPECT_EQ(s.host.capabilities.AppCapLab, "49");
    EXPECT_THAT(s.host.capabilities.LogosCB, ElementsAre("Operator logo", "Screensaver"));
    EXPECT_THAT(s.host.capabilities.SaveLogoMemCB, ElementsAre("Operator logo", "Screensaver"));
    EXPECT_EQ(s.host.capabilities.LogosIndex, 0);

    // The exchange is over: the window takes input, no timer of the refresh.
    EXPECT_TRUE(s.host.mainWindowTakesInput);
    EXPECT_FALSE(EngineInside::Timers(s.engine).RefreshTimer->IsActive());
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(ConnectChain, WithAnotherPageShownEndsWithCellBroadcastsAndReadsNothing) {
    SimPhoneRig s;
    s.state().Options.GeneralPageShown = false;
    s.state().Options.RefreshCheck = true;
    s.Connect();
    EXPECT_THAT(s.Commands(), ElementsAreArray(Join(kConnectCommands, {"AT+CSCB=1"})));
    EXPECT_EQ(s.view().ProLab, "");
    EXPECT_EQ(s.host.generalInfoChanges, 0);
    EXPECT_TRUE(s.host.mainWindowTakesInput);
    EXPECT_FALSE(EngineInside::Timers(s.engine).RefreshTimer->IsActive());
}

TEST(ConnectChain, CellInfoDeliversBroadcastsAndEndsTheInformationWithThem) {
    SimPhoneRig s;
    s.state().Options.CellInfoCheck = true;
    s.Connect();
    auto expected = Join(kConnectCommands, kInfoCommands);
    expected[6] = "AT+CNMI=1,1,2,2";
    expected.push_back("AT+CSCB=1");
    EXPECT_THAT(s.Commands(), ElementsAreArray(expected));
    // Cell broadcasts name the location: the store button stays off.
    EXPECT_FALSE(s.view().SaveNetLocEnabled);
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

TEST(ConnectChain, RefreshOptionRereadsTheInformationOnTheTimer) {
    SimPhoneRig s;
    s.state().Options.RefreshCheck = true;
    s.Connect();
    ASSERT_TRUE(EngineInside::Timers(s.engine).RefreshTimer->IsActive());
    const std::size_t before = s.CommandCount();
    s.phone().State().rssi = 31;
    s.clock.RunFor(kRefreshIntervalMs + 2000);
    EXPECT_THAT(s.Commands(before), ElementsAreArray(kInfoCommands));
    EXPECT_EQ(s.view().PrijemLab, "100%     [ -51 dBm ]");
    EXPECT_EQ(s.view().PrijemStatBars, 10);
    // The model did not change: the picture is not loaded again.
    EXPECT_THAT(s.host.phonePictures, ElementsAre("S45"));
}

TEST(ConnectChain, RefusedEchoEndsTheConnectionWithOneMessage) {
    for (const char* refusal : {"ERROR", "+CME ERROR: 4"}) {
        SimPhoneRig s;
        s.phone().AddFault({.command = "ATE1", .result = refusal});
        s.Connect(15000);
        EXPECT_THAT(s.Commands(), ElementsAre("ATZ", "ATZ", "ATE1", "AT+CNMI=0,0,0,0")) << refusal;
        EXPECT_FALSE(s.port.Connected());
        EXPECT_TRUE(s.host.mainWindowTakesInput);
        ASSERT_EQ(s.host.dialogs.size(), 1u) << refusal;
        EXPECT_EQ(s.host.dialogs[0].caption, "Communication error!");
        EXPECT_THAT(s.host.dialogs[0].text, ::testing::HasSubstr("\"ATE1\""));
    }
}

TEST(ConnectChain, RefusedSettingsDoNotStopTheChain) {
    SimPhoneRig s;
    for (const char* c : {"AT+CMEE=1", "AT+CSCA?", "AT+CSMS=1", "AT^SMGO=1", "AT^SBNR=?"})
        s.phone().AddFault({.command = c, .result = "ERROR"});
    s.Connect();
    EXPECT_THAT(s.Commands(), ElementsAreArray(Join(kConnectCommands, kInfoCommands)));
    EXPECT_EQ(s.host.capabilitiesChanges, 0);  // nothing read: the logo lists stay as they were
    EXPECT_EQ(s.view().ImeiLab, "350123456789015");
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(ConnectChain, OnlyTheOperatorLogoWhenTheBitmapRangeEndsAtOne) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.objects["bmp"].highest = 1;
    seeded.objects["vcs"].highest = 30;
    SimPhoneRig s(seeded);
    s.Connect();
    EXPECT_EQ(s.state().Capabilities.AppointmentSlots, 30);
    EXPECT_FALSE(s.state().Capabilities.ScreensaverLogoSupported);
    EXPECT_THAT(s.state().Capabilities.LogosCB, ElementsAre("Operator logo"));
}

TEST(ConnectChain, UnknownSmsCentreIsShownUndecorated) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.smsc = "+385980501";
    SimPhoneRig s(seeded);
    s.Connect();
    EXPECT_EQ(s.state().Settings.SmscLab, "HR CRONET  [+385980501]");
    seeded.smsc = "+491710760000";
    SimPhoneRig t(seeded);
    t.Connect();
    EXPECT_EQ(t.state().Settings.SmscEdit, "+491710760000");
    EXPECT_EQ(t.state().Settings.SmscLab, "+491710760000");
    EXPECT_EQ(t.state().Chain.SmscText, "+491710760000");
}

TEST(ConnectChain, SmsCentreRequeryRunsTheRestOfTheChainAgain) {
    SimPhoneRig s;
    s.state().Options.GeneralPageShown = false;
    s.Connect();
    const std::size_t before = s.CommandCount();
    SendAtCsca(s.ctx(), 1);
    s.clock.RunFor(3000);
    EXPECT_THAT(s.Commands(before),
                ElementsAre("AT+CSCA?", "AT+CSMS=1", "AT+CNMI=1,1,0,2", "AT^SMGO=1", "AT+CLIP=1",
                            "AT^SBNR=?", "AT+CMGF=0", "AT+CSCB=1"));
}

}  // namespace
}  // namespace parlenko::testing

namespace parlenko {
namespace {

TEST(SbnrRanges, CalendarSlotsAndSecondLogo) {
    const char* s45 = "^SBNR: (\"vcs\",(0-50)),(\"mid\",(0-9)),(\"bmp\",(0-2))";
    EXPECT_EQ(ParseSbnrVcsRange(s45), 50);
    EXPECT_TRUE(ParseSbnrBmpRange(s45));
    EXPECT_FALSE(ParseSbnrBmpRange("^SBNR: (\"vcs\",(0-50)),(\"bmp\",(0-1))"));
    EXPECT_EQ(ParseSbnrVcsRange("^SBNR: (\"bmp\",(0-2))"), 0);
    EXPECT_FALSE(ParseSbnrBmpRange("^SBNR: (\"vcs\",(0-50))"));
    EXPECT_EQ(ParseSbnrVcsRange("^SBNR: (\"vcs\",(0-))"), 0);
    EXPECT_EQ(ParseSbnrVcsRange("^SBNR: (\"vcs\",(0-5x))"), 0);
    EXPECT_FALSE(ParseSbnrBmpRange("^SBNR: (\"bmp\",(0"));
}

}  // namespace
}  // namespace parlenko
