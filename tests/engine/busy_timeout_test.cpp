#include "engine/at/at_commands.h"
#include "engine/session/busy_state.h"
#include "engine/session/indicators.h"
#include "tests/support/engine_harness.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

using testing::EngineHarness;

constexpr char kTimeOutText[] =
    "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try againg!!!";

// ---------------------------------------------------------------- busy state

TEST(BusyState, FirstChunkLocksTheWindowAndAnimatesTraffic) {
    EngineHarness h;
    h.Receive("AT+CGMI\r");
    EXPECT_FALSE(h.host.mainWindowEnabled);
    h.clock.RunFor(250 * 9);
    // The sweep goes forth and back, then starts over.
    const std::vector<int> sweep = {1, 2, 3, 4, 5, 4, 3, 2, 1};
    EXPECT_EQ(h.host.portTrafficFrames, sweep);
    // A later chunk of the same exchange does not restart the animation.
    h.Receive("\r\n");
    h.clock.RunFor(250);
    EXPECT_EQ(h.host.portTrafficFrames.back(), 2);

    h.engine.EndBusy();
    EXPECT_TRUE(h.host.mainWindowEnabled);
    EXPECT_EQ(h.state().Indicators.PortTrafficFrame, 0);
    EXPECT_EQ(h.host.portTrafficFrames.back(), 0);
    h.engine.EndBusy();  // harmless when not busy
    EXPECT_TRUE(h.host.mainWindowEnabled);
}

TEST(BusyState, OneEndEndsAnyNumberOfBegins) {
    EngineHarness h;
    BeginBusy(h.ctx());
    BeginBusy(h.ctx());
    EndBusy(h.ctx());
    EXPECT_FALSE(IsBusy(h.ctx()));
    EXPECT_TRUE(h.host.mainWindowEnabled);
}

// ---------------------------------------------------------------- time-out

TEST(ExchangeTimeOut, FiresTenSecondsAfterTheLastChunk) {
    EngineHarness h;
    const int p0 = h.device.PurgeCount();  // the connect purges too
    h.Receive("AT+CPBR=1\r");
    h.Sent();
    h.clock.RunFor(9999);
    EXPECT_FALSE(h.host.mainWindowEnabled);
    h.Receive("\r\n");  // at 9999 ms: postpones it
    const int entries = h.lines().Size();
    h.clock.RunFor(9999);
    EXPECT_EQ(h.device.PurgeCount(), p0);
    EXPECT_FALSE(h.host.mainWindowEnabled);
    h.clock.RunFor(1);
    EXPECT_TRUE(h.host.mainWindowEnabled);
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
    EngineHarness h;
    const int p0 = h.device.PurgeCount();
    h.Receive("RING\r\n");
    EXPECT_TRUE(h.host.mainWindowEnabled);
    h.clock.RunFor(10000);
    EXPECT_EQ(h.Sent(), "\x1b");
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(ExchangeTimeOut, StalledPhoneReadTellsTheUserAndClosesTheProgressWindow) {
    EngineHarness h;
    h.state().Mode = mdPhonebook;
    h.host.progressVisible = true;
    h.Receive("AT+CPBR=5\r");
    h.clock.RunFor(10000);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Error");
    EXPECT_EQ(h.host.dialogs[0].text, kTimeOutText);
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
    EXPECT_EQ(h.host.progressCloses, 1);
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_TRUE(h.host.mainWindowEnabled);
}

TEST(ExchangeTimeOut, OutlookExchangesKeepTheirProgressWindow) {
    for (int mode : {mdOutlookContacts, mdOutlookCalendar}) {
        EngineHarness h;
        h.state().Mode = mode;
        h.host.progressVisible = true;
        h.Receive("AT+CPBR=5\r");
        h.clock.RunFor(10000);
        EXPECT_TRUE(h.host.dialogs.empty()) << mode;
        EXPECT_TRUE(h.host.progressVisible) << mode;
        EXPECT_EQ(h.host.progressCloses, 0) << mode;
    }
}

TEST(ExchangeTimeOut, ClosedPortGetsNoEscapeAndNoPurge) {
    EngineHarness h;
    h.Receive("AT+CGMI\r");
    h.port.Disconnect();
    const int purges = h.device.PurgeCount();
    h.clock.RunFor(10000);
    EXPECT_EQ(h.Sent(), "");
    EXPECT_EQ(h.device.PurgeCount(), purges);
    EXPECT_TRUE(h.host.dialogs.empty());  // no failed write either
    EXPECT_TRUE(h.host.mainWindowEnabled);
}

TEST(ExchangeTimeOut, UnansweredCommandEndsBusyAfterTenSeconds) {
    EngineHarness h;
    h.Receive("RING");  // busy from a chunk, then a command that is never answered
    h.clock.RunFor(5000);
    BeginBusy(h.ctx());
    SendAtCgmi(h.ctx());
    h.clock.RunFor(9999);
    EXPECT_FALSE(h.host.mainWindowEnabled);
    h.clock.RunFor(1);
    EXPECT_TRUE(h.host.mainWindowEnabled);
}

TEST(ExchangeTimeOut, ReadStartedOnASilentPhoneGivesUpAfterTenSeconds) {
    EngineHarness h;
    h.host.progressVisible = true;  // the read shows its progress window
    SendAtCpbs(h.ctx(), 1);         // and the phone never answers
    h.clock.RunFor(9999);
    EXPECT_TRUE(h.host.dialogs.empty());
    h.clock.RunFor(1);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, kTimeOutText);
    EXPECT_FALSE(h.host.progressVisible);
}

TEST(ExchangeTimeOut, EscapeOfTheTimeOutDoesNotRearmIt) {
    EngineHarness h;
    const int p0 = h.device.PurgeCount();
    SendAtCgmi(h.ctx());
    h.clock.RunFor(10000);
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
    h.clock.RunFor(60000);
    EXPECT_EQ(h.device.PurgeCount(), p0 + 2);
}

TEST(ExchangeTimeOut, EndsEveryPendingOperation) {
    EngineHarness h;
    auto& s = h.state();
    s.Upload.SendingAppointment = s.Upload.SendingMelody = s.Upload.SendingLogo = true;
    s.Upload.UploadPackets = {"AA", "BB"};
    s.Upload.PacketIndex = 2;
    s.Phonebook.WritePending = s.Phonebook.DeletePending = s.Phonebook.MoveEntry = true;
    s.Phonebook.Restoring = true;
    s.Sms.DeleteSmsPending = s.Sms.WriteSmsPending = s.Sms.SendStoredPending = true;
    s.Sms.EditSmsPending = s.Sms.ReadNewSmsPending = true;
    s.Mode = mdSms;
    SendAtCpms(h.ctx(), 1);
    h.clock.RunFor(10000);
    EXPECT_FALSE(s.Upload.SendingAppointment || s.Upload.SendingMelody || s.Upload.SendingLogo);
    EXPECT_TRUE(s.Upload.UploadPackets.empty());
    EXPECT_FALSE(s.Phonebook.WritePending || s.Phonebook.DeletePending || s.Phonebook.MoveEntry);
    EXPECT_FALSE(s.Sms.DeleteSmsPending || s.Sms.WriteSmsPending || s.Sms.SendStoredPending ||
                 s.Sms.EditSmsPending || s.Sms.ReadNewSmsPending);
    EXPECT_TRUE(s.Phonebook.Restoring);  // the backup wizard ends its own run
    EXPECT_EQ(s.Mode, mdSms);
    // A prompt that turns up late sends nothing.
    h.Sent();
    h.Receive("AT^SBNW=\"mid\",0,2,2\r\r\n> ");
    EXPECT_EQ(h.Sent(), "");
}

// ---------------------------------------------------------------- indicators

std::vector<int> Phases(const std::vector<int>& all, std::size_t from) {
    return {all.begin() + static_cast<long>(from), all.end()};
}

TEST(Indicators, NewSmsBlinksUntilCleared) {
    EngineHarness h;
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
    EngineHarness h;
    ShowNewCall(h.ctx());
    const auto start = h.host.newCallPhases.size();
    h.clock.RunFor(750 * 3);
    EXPECT_EQ(Phases(h.host.newCallPhases, start), (std::vector<int>{4, 5, 4}));
    h.engine.ClearNewCall();
    EXPECT_EQ(h.state().Indicators.NewCallPhase, 3);
    EXPECT_EQ(h.host.newCallHint, "No new calls!");
}

TEST(Indicators, OverflowAlternatesTheDarkFrameWithItsKind) {
    EngineHarness h;
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
    EngineHarness h;
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
    EngineHarness h;
    h.Receive("+CMTI: \"SM\",1\r\n");
    h.clock.RunFor(750);
    h.Receive("^SMGO: 2,1\r\n");
    const auto start = h.host.newSmsPhases.size();
    h.clock.RunFor(750 * 2);
    EXPECT_EQ(Phases(h.host.newSmsPhases, start), (std::vector<int>{-1, 0}));
}

}  // namespace
}  // namespace parlenko
