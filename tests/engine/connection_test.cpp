// Opening and closing the conversation, and a write that fails.

#include "engine/general/general_info_chain.h"
#include "tests/support/engine_inside.h"
#include "engine/conversation/command_send.h"
#include "engine/conversation/communication_error.h"
#include "engine/conversation/connection.h"
#include "tests/support/engine_rig.h"
#include "engine/general/general_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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
    EXPECT_TRUE(h.host.mainWindowTakesInput);

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
    EXPECT_TRUE(s.host.mainWindowTakesInput);
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
    EXPECT_FALSE(h.host.mainWindowTakesInput);
    h.Receive("OK\r\n");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    SendAtLine(h.ctx(), "ATZ\r");
    h.Sent();
    h.Receive("ATZ\r\r\nOK\r\n");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
    EXPECT_EQ(h.Sent(), "");
}

}  // namespace
}  // namespace parlenko::testing

namespace parlenko::testing {
namespace {

// A phone with ten SIM entries and nothing else.
phonesim::PhoneState TenSimEntries() {
    phonesim::PhoneState s;
    auto& sim = s.phonebooks["SM"];
    sim.capacity = 10;
    for (int p = 1; p <= 10; ++p)
        sim.entries[p] = {"0915550" + std::to_string(p), 129, "Osoba " + std::to_string(p)};
    return s;
}

// Closing while a phonebook read waits for the answer to "AT+CPBR=3" (late,
// or never): the read stops, the notices go off after that answer or after
// a short wait for it, and nothing is written after the closing command.
TEST(Closing, ARunningReadEndsFirstAndNothingFollowsTheClosingCommand) {
    for (const bool answered : {true, false}) {
        SimPhoneRig s(TenSimEntries());
        phonesim::CommandFault late;
        late.command = "AT+CPBR=3";
        late.delayMs = 400;
        late.noAnswer = !answered;
        s.phone().AddFault(late);
        s.engine.RefreshPhonebook();
        ASSERT_TRUE(s.clock.RunUntil(
            [&] { return !s.Commands().empty() && s.Commands().back() == "AT+CPBR=3"; }, 10000));
        const auto start = s.clock.NowMs();
        s.engine.ClosePort();
        EXPECT_LT(s.clock.NowMs() - start, 3000) << answered;
        s.clock.RunFor(5000);

        const auto& received = s.phone().Received();
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(received.back().text, "AT+CNMI=0,0,0,0") << answered;
        const auto cpbr3 = std::find_if(received.begin(), received.end(),
                                        [](const auto& r) { return r.text == "AT+CPBR=3"; });
        ASSERT_NE(cpbr3, received.end());
        // The closing command is the only one after the command in flight,
        // and it waited for that command's answer.
        EXPECT_EQ(received.end() - cpbr3, 2) << answered;
        if (answered) {
            EXPECT_GE(received.back().ms - cpbr3->ms, 400);
        }
        EXPECT_FALSE(s.port.Connected());
        EXPECT_TRUE(s.host.dialogs.empty()) << answered;
    }
}

TEST(Closing, APhoneWaitingForAMessageBodyIsFreedBeforeTheClosingCommand) {
    // The prompt has come, or it is more than the closing's second late.
    for (const int promptDelayMs : {0, 1500}) {
        SimPhoneRig s;
        s.Connect();
        s.phone().AddFault({.command = "AT+CMGS", .delayMs = promptDelayMs});
        ComposedSms m;
        m.Number = "0911234567";
        m.Text = "Dolazim";
        ASSERT_EQ(s.engine.SendSms(m), ComposedSmsResult::Started);
        // Closing comes while the phone waits for the body.
        ASSERT_TRUE(s.clock.RunUntil([&] { return s.phone().InBody(); }, 5000));
        s.engine.ClosePort();
        s.clock.RunFor(2000);
        EXPECT_FALSE(s.phone().InBody()) << promptDelayMs;
        const auto& received = s.phone().Received();
        ASSERT_GE(received.size(), 2u);
        EXPECT_EQ(received.back().text, "AT+CNMI=0,0,0,0") << promptDelayMs;
        // The ESC that ended the wait.
        EXPECT_EQ(received[received.size() - 2].text, "\x1b") << promptDelayMs;
        EXPECT_TRUE(s.phone().State().sentPdus.empty()) << promptDelayMs;
        EXPECT_TRUE(s.host.dialogs.empty()) << promptDelayMs;
    }
}

TEST(Connection, AStartFreesAPhoneThatWaitsForABody) {
    SimPhoneRig s;
    s.state().Options.GeneralPageShown = false;
    // Left by a program that stopped at the prompt: the phone takes what
    // comes for the message's body.
    s.phone().Feed("AT+CMGS=23\r", s.clock.NowMs());
    ASSERT_TRUE(s.phone().InBody());
    s.Connect(30000);
    EXPECT_FALSE(s.phone().InBody());
    EXPECT_THAT(s.Commands(), ::testing::Contains("AT+CSCB=1"));  // the connect chain's end
    EXPECT_TRUE(s.phone().State().sentPdus.empty());              // the old message was not sent
    EXPECT_TRUE(s.host.dialogs.empty());
    EXPECT_TRUE(s.port.Connected());

    // A phone that answers "ATZ" but only echoes "ATE1" waits for no body:
    // the connection fails, naming the command.
    SimPhoneRig echoOnly;
    echoOnly.phone().AddFault({.command = "ATE1", .noAnswer = true});
    echoOnly.Connect(30000);
    ASSERT_EQ(echoOnly.host.dialogs.size(), 1u);
    EXPECT_THAT(echoOnly.host.dialogs[0].text, HasSubstr("\"ATE1\""));
    EXPECT_FALSE(echoOnly.port.Connected());

    // Nothing waits: the reset is "ATZ" twice and "ATE1", nothing before.
    SimPhoneRig plain;
    plain.Connect();
    const auto commands = plain.Commands();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(commands.begin(), commands.begin() + 4),
                ElementsAre("ATZ", "ATZ", "ATE1", "AT+CMEE=1"));
    EXPECT_EQ(plain.device.Written().substr(0, 4), "ATZ\r");
}

TEST(Closing, TurnOffRefusedIsSentAgainOnYes) {
    SimPhoneRig s;
    s.Connect();
    s.phone().AddFault({.command = "AT^SMSO", .result = "ERROR"});
    const auto from = s.CommandCount();
    s.engine.TurnOff();
    s.clock.RunFor(3000);
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].caption, "Mobile turn off");
    const auto commands = s.Commands(from);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT^SMSO"), 2);
    EXPECT_FALSE(s.phone().PoweredOn());
    EXPECT_FALSE(s.port.Connected());
}

}  // namespace
}  // namespace parlenko::testing
