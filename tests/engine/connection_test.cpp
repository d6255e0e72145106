// Opening and closing the conversation, and a write that fails.

#include "engine/at/at_commands.h"
#include "tests/support/engine_inside.h"
#include "engine/at/at_send.h"
#include "engine/session/communication_error.h"
#include "engine/session/connection.h"
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Two answers in one chunk whose actions both write.
const std::string kTwoWritingResults = "ATE1\r\r\nOK\r\nAT^SMGO=1\r\r\nOK\r\n";

TEST(CommunicationError, DisconnectsAndTellsOnceForTheWholeScan) {
    ScriptRig h;
    EngineInside::Timers(h.engine).RefreshTimer->Start();
    h.device.SetWriteFails(true);
    h.Receive(kTwoWritingResults);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Communication error!");
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
    EXPECT_EQ(h.host.dialogs[0].buttons, DialogButtons::Ok);
    EXPECT_THAT(h.host.dialogs[0].text, HasSubstr("Check connection between mobile and computer."));
    EXPECT_THAT(h.host.dialogs[0].text, HasSubstr("     -  Hardware flow control"));
    EXPECT_FALSE(h.port.Connected());
    EXPECT_FALSE(EngineInside::Timers(h.engine).RefreshTimer->IsActive());
    EXPECT_THAT(h.host.connectionChanges, ElementsAre(false));
    EXPECT_TRUE(h.host.mainWindowEnabled);

    // Later writers on the closed port stay silent.
    SendAtCgmi(h.ctx());
    EXPECT_EQ(h.host.dialogs.size(), 1u);
}

TEST(CommunicationError, AdviceFollowsTheLineCheck) {
    ScriptRig h;
    h.port.SetCheckLineStatus(true);
    h.device.SetWriteFails(true);
    SendAtCgmi(h.ctx());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Cannot send data!\r\rMobile not connected to serial port or not switched on.\r"
              "Disable 'Check connection' in 'Options' window.\r\rAlso, if you use two wires data "
              "cable, replace it with\rfull wires data cable.");
}

TEST(CommunicationError, ADeviceThatWentAwayIsNamedAfterTheAdvice) {
    ScriptRig h;
    h.device.SetWriteFails(true);
    h.device.SetGone("/dev/serial/by-id/usb-Prolific-if00-port0");
    SendAtCgmi(h.ctx());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Cannot send data!\r\rCheck connection between mobile and computer.\r"
              "In 'Options' window, disable following options:\r\r     -  Check connection\r"
              "     -  Hardware flow control\r\rIf you use two wires data cable, you need to "
              "disable\rall data flow controls in 'Options' window.\r\r"
              "/dev/serial/by-id/usb-Prolific-if00-port0: the device is gone (unplugged or "
              "switched off).");
    EXPECT_FALSE(h.port.Connected());
}

TEST(CommunicationError, TellsAgainAfterTheNextConnect) {
    ScriptRig h;
    h.device.SetWriteFails(true);
    SendAtCgmi(h.ctx());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    h.device.SetWriteFails(false);
    ASSERT_TRUE(h.port.Connect());
    ResetModem(h.ctx());
    EXPECT_EQ(h.Sent(), "ATZ\rATZ\rATE1\r");
    h.device.SetWriteFails(true);
    SendAtCgmi(h.ctx());
    EXPECT_EQ(h.host.dialogs.size(), 2u);
}

TEST(Connection, ResetAndRefreshDoNothingOnAClosedPort) {
    ScriptRig h({.openPort = false});
    ResetModem(h.ctx());
    RefreshGeneralInfo(h.ctx());
    ClosePort(h.ctx());
    EXPECT_EQ(h.Sent(), "");
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(Connection, ResetWaitsBeforeAndBetweenTheResets) {
    ScriptRig h;
    const auto start = h.clock.NowMs();
    ResetModem(h.ctx());
    EXPECT_EQ(h.clock.NowMs() - start, 700);
}

TEST(Connection, DisconnectSwitchesTheNoticesOffAndClosesThePort) {
    SimPhoneRig s;
    s.state().Options.RefreshCheck = true;
    s.Connect();
    ASSERT_TRUE(EngineInside::Timers(s.engine).RefreshTimer->IsActive());
    ASSERT_EQ(s.phone().State().settings.cnmi[0], 1);
    DisconnectMobile(s.ctx());
    EXPECT_EQ(s.Commands().back(), "AT+CNMI=0,0,0,0");
    EXPECT_EQ(s.phone().State().settings.cnmi[0], 0);
    EXPECT_FALSE(s.port.Connected());
    EXPECT_FALSE(EngineInside::Timers(s.engine).RefreshTimer->IsActive());
    EXPECT_THAT(s.host.connectionChanges, ElementsAre(false));
    EXPECT_TRUE(s.host.mainWindowEnabled);
    EXPECT_TRUE(s.host.dialogs.empty());
}

// The page switch: another page only stops the refresh; the general page is
// read at once, and its refresh runs again only when the option asks for it.
TEST(Connection, GeneralPageIsReadAtOnceAndRefreshedWhenTheOptionAsks) {
    ScriptRig h;
    h.engine.StartRefresh();
    h.engine.StopRefresh();
    h.engine.GeneralPageShown(false);
    EXPECT_FALSE(h.state().Options.GeneralPageShown);
    EXPECT_FALSE(h.engine.RefreshRunning());
    EXPECT_EQ(h.Sent(), "");

    h.engine.GeneralPageShown(true);
    EXPECT_TRUE(h.state().Options.GeneralPageShown);
    EXPECT_EQ(h.Sent(), "AT+CGMI\r");
    EXPECT_FALSE(h.engine.RefreshRunning()) << "the option is off";

    PhoneOptions options;
    options.RefreshGeneralInfo = true;
    options.RefreshIntervalMs = 10000;
    h.engine.ApplyOptions(options);
    h.engine.StopRefresh();
    h.engine.GeneralPageShown(true);
    EXPECT_TRUE(h.engine.RefreshRunning());
    EXPECT_EQ(h.engine.RefreshIntervalMs(), 10000);
}

TEST(Connection, ResetAndNoticesOffAnswersEndTheExchange) {
    ScriptRig h;
    SendAtLine(h.ctx(), "AT+CNMI=0,0,0,0\r");
    h.Receive("AT+CNMI=0,0,0,0\r\r\n");
    EXPECT_FALSE(h.host.mainWindowEnabled);
    h.Receive("OK\r\n");
    EXPECT_TRUE(h.host.mainWindowEnabled);
    SendAtLine(h.ctx(), "ATZ\r");
    h.Sent();
    h.Receive("ATZ\r\r\nOK\r\n");
    EXPECT_TRUE(h.host.mainWindowEnabled);
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
    EXPECT_EQ(h.Sent(), "");
}

}  // namespace
}  // namespace parlenko::testing
