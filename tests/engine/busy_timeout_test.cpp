#include "engine/core/busy_state.h"
#include "engine/core/indicators.h"
#include "tests/support/engine_rig.h"
#include "engine/sms/sms_commands.h"
#include "engine/phonebook/phonebook_commands.h"
#include "engine/general/general_commands.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

using testing::ScriptRig;

constexpr char kTimeOutText[] =
    "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try againg!!!";

// ---------------------------------------------------------------- busy state

TEST(BusyState, FirstChunkLocksTheWindowAndAnimatesTraffic) {
    ScriptRig h;
    SendAtCgmi(h.ctx());
    h.Receive("AT+CGMI\r");
    EXPECT_FALSE(h.host.mainWindowTakesInput);
    h.clock.RunFor(250 * 9);
    // The sweep goes forth and back, then starts over.
    const std::vector<int> sweep = {1, 2, 3, 4, 5, 4, 3, 2, 1};
    EXPECT_EQ(h.host.portTrafficFrames, sweep);
    // A later chunk of the same exchange does not restart the animation.
    h.Receive("\r\n");
    h.clock.RunFor(250);
    EXPECT_EQ(h.host.portTrafficFrames.back(), 2);

    h.engine.ProgressWindowClosed();  // the progress window closed by the user
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_EQ(h.state().Indicators.PortTrafficFrame, 0);
    EXPECT_EQ(h.host.portTrafficFrames.back(), 0);
    h.engine.ProgressWindowClosed();  // harmless when not busy
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(BusyState, OneEndEndsAnyNumberOfBegins) {
    ScriptRig h;
    BeginBusy(h.ctx());
    BeginBusy(h.ctx());
    EndBusy(h.ctx());
    EXPECT_FALSE(IsBusy(h.ctx()));
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

// ---------------------------------------------------------------- time-out

TEST(ExchangeTimeOut, FiresTenSecondsAfterTheLastChunk) {
    ScriptRig h;
    const int p0 = h.device.PurgeCount();  // the connect purges too
    SendAtCpbr(h.ctx(), "1");
    h.Receive("AT+CPBR=1\r");
    h.Sent();
    h.clock.RunFor(9999);
    EXPECT_FALSE(h.host.mainWindowTakesInput);
    h.Receive("\r\n+CPBR: 1,\"0911\",129,\"Ana\"\r\n");  // at 9999 ms: postpones it
    const int entries = h.lines().Size();
    h.clock.RunFor(9999);
    EXPECT_EQ(h.device.PurgeCount(), p0);
    EXPECT_FALSE(h.host.mainWindowTakesInput);
    h.clock.RunFor(1);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_EQ(h.Sent(), "\x1b");
    // Output purged before the ESC, input after it.
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
    EXPECT_TRUE(h.device.LastPurgeIn());
    EXPECT_FALSE(h.device.LastPurgeOut());
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i));
    EXPECT_EQ(h.lines().Size(), entries);  // blanked, not removed
    // It runs once, until the next chunk.
    h.clock.RunFor(30000);
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
}

TEST(ExchangeTimeOut, SingleRingIsClearedSilently) {
    ScriptRig h;
    const int p0 = h.device.PurgeCount();
    h.Receive("RING\r\n");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    h.clock.RunFor(10000);
    EXPECT_EQ(h.Sent(), "\x1b");
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(ExchangeTimeOut, StalledPhoneReadTellsTheUserAndClosesTheProgressWindow) {
    ScriptRig h;
    h.state().Mode = ActivityMode::Phonebook;
    h.host.progressVisible = true;
    SendAtCpbr(h.ctx(), "5");
    h.Receive("AT+CPBR=5\r");
    h.clock.RunFor(10000);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Error");
    EXPECT_EQ(h.host.dialogs[0].text, kTimeOutText);
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
    EXPECT_EQ(h.host.progressCloses, 1);
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(ExchangeTimeOut, OutlookExchangesKeepTheirProgressWindow) {
    for (auto mode : {ActivityMode::OutlookContacts, ActivityMode::OutlookCalendar}) {
        ScriptRig h;
        h.state().Mode = mode;
        h.host.progressVisible = true;
        h.Receive("AT+CPBR=5\r");
        h.clock.RunFor(10000);
        EXPECT_TRUE(h.host.dialogs.empty()) << static_cast<int>(mode);
        EXPECT_TRUE(h.host.progressVisible) << static_cast<int>(mode);
        EXPECT_EQ(h.host.progressCloses, 0) << static_cast<int>(mode);
    }
}

TEST(ExchangeTimeOut, ClosedPortGetsNoEscapeAndNoPurge) {
    ScriptRig h;
    h.Receive("AT+CGMI\r");
    h.port.Disconnect();
    const int purges = h.device.PurgeCount();
    h.clock.RunFor(10000);
    EXPECT_EQ(h.Sent(), "");
    EXPECT_EQ(h.device.PurgeCount(), purges);
    EXPECT_TRUE(h.host.dialogs.empty());  // no failed write either
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(ExchangeTimeOut, UnansweredCommandEndsBusyAfterTenSeconds) {
    ScriptRig h;
    h.Receive("RING");  // busy from a chunk, then a command that is never answered
    h.clock.RunFor(5000);
    BeginBusy(h.ctx());
    SendAtCgmi(h.ctx());
    h.clock.RunFor(9999);
    EXPECT_FALSE(h.host.mainWindowTakesInput);
    h.clock.RunFor(1);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(ExchangeTimeOut, ReadStartedOnASilentPhoneGivesUpAfterTenSeconds) {
    ScriptRig h;
    h.host.progressVisible = true;          // the read shows its progress window
    SendAtCpbs(h.ctx(), PhoneMemory::Sim);  // and the phone never answers
    h.clock.RunFor(9999);
    EXPECT_TRUE(h.host.dialogs.empty());
    h.clock.RunFor(1);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, kTimeOutText);
    EXPECT_FALSE(h.host.progressVisible);
}

TEST(ExchangeTimeOut, EscapeOfTheTimeOutDoesNotRearmIt) {
    ScriptRig h;
    const int p0 = h.device.PurgeCount();
    SendAtCgmi(h.ctx());
    h.clock.RunFor(10000);
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
    h.clock.RunFor(60000);
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
}

TEST(ExchangeTimeOut, EndsEveryPendingOperation) {
    ScriptRig h;
    auto& s = h.state();
    s.Upload.SendingAppointment = s.Upload.SendingMelody = s.Upload.SendingLogo = true;
    s.Upload.UploadPackets = {"AA", "BB"};
    s.Upload.PacketIndex = 2;
    Restoring run;
    run.Step = WritePending{"AT+CPBW=1,\"0912\",129,\"Ivo\"\r", {}};
    s.Phonebook.Op = run;
    s.Sms.Op = SmsDelete{PhoneMemory::Sim, "05"};
    s.Sms.Reading = true;
    s.Mode = ActivityMode::Sms;
    SendAtCpms(h.ctx(), PhoneMemory::Sim);
    h.clock.RunFor(10000);
    EXPECT_FALSE(s.Upload.SendingAppointment || s.Upload.SendingMelody || s.Upload.SendingLogo);
    EXPECT_TRUE(s.Upload.UploadPackets.empty());
    EXPECT_EQ(PendingWrite(s.Phonebook.Op), nullptr);
    EXPECT_FALSE(HasSmsOp(s.Sms.Op) || s.Sms.Reading);
    // A restore run stops, and the wizard hears why.
    EXPECT_FALSE(IsRestoring(s.Phonebook.Op));
    ASSERT_EQ(h.host.restoreOutcomes.size(), 1u);
    EXPECT_TRUE(h.host.restoreOutcomes[0].NoAnswer);
    EXPECT_TRUE(s.Mode == ActivityMode::Sms);
    // A prompt that turns up late sends nothing.
    h.Sent();
    h.Receive("AT^SBNW=\"mid\",0,2,2\r\r\n> ");
    EXPECT_EQ(h.Sent(), "");
    // Outside a restore the operation goes as a whole.
    s.Phonebook.Op = MoveEntry{DeletePending{PhoneMemory::Sim, "4"}, PhoneMemory::Phone, {}};
    SendAtCpbs(h.ctx(), PhoneMemory::Sim);
    h.clock.RunFor(10000);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Phonebook.Op));
}

// ---------------------------------------------------------------- indicators

std::vector<int> Phases(const std::vector<int>& all, std::size_t from) {
    return {all.begin() + static_cast<long>(from), all.end()};
}

TEST(Indicators, NewSmsBlinksUntilCleared) {
    ScriptRig h;
    ShowNewSms(h.ctx());
    const auto start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 4);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{1, 2, 1, 2}));
    h.engine.ClearNewSms();
    EXPECT_EQ(h.state().Indicators.NewSmsPhase, 0);
    EXPECT_EQ(h.host.newSmsHint, "No new SMS messages!");
    const auto cleared = h.host.newSmsPhases.size();
    h.clock.RunFor(3000);
    EXPECT_EQ(h.host.newSmsPhases.size(), cleared);
}

TEST(Indicators, NewCallBlinksUntilCleared) {
    ScriptRig h;
    ShowNewCall(h.ctx());
    const auto start = h.host.newCallPhases.size();
    h.clock.RunFor(750 * 3);
    EXPECT_EQ(Phases(h.host.newCallPhases, start), (std::vector<int>{4, 5, 4}));
    h.engine.ClearNewCall();
    EXPECT_EQ(h.state().Indicators.NewCallPhase, 3);
    EXPECT_EQ(h.host.newCallHint, "No new calls!");
}

TEST(Indicators, OverflowAlternatesTheDarkFrameWithItsKind) {
    ScriptRig h;
    ShowSmsOverflow(h.ctx(), 0);
    auto start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 3);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{-1, 0, -1}));

    ShowSmsOverflow(h.ctx(), 1);
    start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 3);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{-1, 2, -1}));
}

TEST(Indicators, NewMessageDuringOverflowStartsTheMessageBlink) {
    ScriptRig h;
    h.Receive("^SMGO: 2,2\r\n");
    h.clock.RunFor(750);  // now on the dark frame
    EXPECT_EQ(h.state().Indicators.NewSmsPhase, -1);
    h.Receive("+CMTI: \"SM\",1\r\n");
    EXPECT_FALSE(h.ctx().timers.SmsOverflowTimer->IsActive());
    const auto start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 3);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{1, 2, 1}));
}

TEST(Indicators, OverflowDuringANewMessageBlinkShowsTheOverflow) {
    ScriptRig h;
    h.Receive("+CMTI: \"SM\",1\r\n");
    h.clock.RunFor(750);
    h.Receive("^SMGO: 2,1\r\n");
    const auto start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 2);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{-1, 0}));
}

}  // namespace
}  // namespace parlenko
