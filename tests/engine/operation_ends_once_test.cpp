// What comes around an answer never loses it: lines the engine does not
// know inside an exchange, noise without a line end, a NUL byte, a notice
// cut between two chunks, notices during the connection's reset. And a
// result that answers less than the command asks for ends the step at once.
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/core/rx_lines.h"
#include "tests/support/engine_rig.h"
#include "engine/general/general_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace parlenko {
namespace {

using ::testing::Contains;
using testing::ScriptRig;
using testing::SimPhoneRig;

// The connection on the simulated S45 without a fault: what the general
// page shows at its end.
GeneralInfoView CleanConnection() {
    SimPhoneRig s;
    s.Connect();
    return s.host.generalInfo;
}

void ExpectSameInformation(const GeneralInfoView& got, const GeneralInfoView& want,
                           const std::string& what) {
    EXPECT_EQ(got.ProModLab, want.ProModLab) << what;
    EXPECT_EQ(got.ImeiLab, want.ImeiLab) << what;
    EXPECT_EQ(got.SimIdLab, want.SimIdLab) << what;
    EXPECT_EQ(got.OperLab, want.OperLab) << what;
    EXPECT_EQ(got.StatMreLab, want.StatMreLab) << what;
    EXPECT_EQ(got.PrijemLab, want.PrijemLab) << what;
}

TEST(StrayLines, UnknownLinesInsideAnExchangeAreIgnored) {
    const GeneralInfoView clean = CleanConnection();
    const std::string longLine(100 * 1024, 'x');
    for (const std::string command : {"AT+CGMI", "AT+CMEE=1", "AT+CREG?", "AT^SBNR=?"}) {
        for (const std::string& stray : {std::string("HELLO"), std::string("^SBC: Undervoltage"),
                                         std::string("+CUSD: 0,\"Stanje racuna\",15"), longLine}) {
            for (const bool beforeAnswer : {false, true}) {
                const std::string what = command + " / " + stray.substr(0, 20) +
                                         (beforeAnswer ? " before the answer" : " before OK");
                // A line of no form at all cannot be told from an answer
                // without a prefix: only after it.
                if (beforeAnswer && stray == "HELLO" && command == "AT+CGMI") continue;
                SimPhoneRig s;
                phonesim::CommandFault fault{.command = command};
                (beforeAnswer ? fault.unsolicitedBeforeAnswer : fault.unsolicitedBeforeResult)
                    .push_back(stray);
                s.phone().AddFault(fault);
                s.Connect(20000);
                ExpectSameInformation(s.host.generalInfo, clean, what);
                EXPECT_TRUE(s.host.dialogs.empty()) << what;
                EXPECT_TRUE(s.host.mainWindowTakesInput) << what;
            }
        }
    }
}

TEST(StrayLines, AReadGoesOnAtOnceWithoutWaitingForTheTimeOut) {
    SimPhoneRig s;
    s.Connect();
    s.phone().AddFault({.command = "AT+CPBR=2", .unsolicitedBeforeResult = {"^SBC: Undervoltage"}});
    const auto start = s.clock.NowMs();
    RefreshPhonebook(s.ctx(), PhoneMemory::Sim);
    ASSERT_TRUE(s.clock.RunUntil([&] { return s.host.phonebookSorts > 0; }, 60000));
    // A 10 s wait for the time-out would show here.
    EXPECT_LT(s.clock.NowMs() - start, 8000);
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(StrayLines, ANulByteOrABareOkDoesNotStopTheInformation) {
    const GeneralInfoView clean = CleanConnection();
    // A NUL byte in front of the answer is dropped.
    SimPhoneRig nul;
    nul.phone().AddFault({.command = "AT+CGSN", .garbageBefore = std::string("\x00", 1)});
    nul.Connect();
    ExpectSameInformation(nul.host.generalInfo, clean, "NUL");
    EXPECT_TRUE(nul.host.dialogs.empty());

    // A NUL byte before an "OK" that comes without the identity: the label
    // keeps its text, the chain goes on.
    SimPhoneRig bare;
    bare.phone().AddFault({.command = "AT+CGSN", .result = std::string("\x00OK", 3)});
    bare.Connect();
    EXPECT_EQ(bare.host.generalInfo.ImeiLab, "");
    EXPECT_EQ(bare.host.generalInfo.PrijemLab, clean.PrijemLab);
    EXPECT_TRUE(bare.host.dialogs.empty());

    // "OK" without the registration line: the chain goes on to the signal.
    ScriptRig h;
    SendAtCregQuery(h.ctx());
    h.Sent();
    h.Receive("AT+CREG?\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CSQ\r");
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(StrayLines, LongNoiseWithoutALineEndKeepsTheNextEcho) {
    const GeneralInfoView clean = CleanConnection();
    for (const std::size_t size : {20000u, 24000u, 100000u}) {
        SimPhoneRig s;
        s.phone().AddFault({.command = "AT+CGMM", .rawAfter = std::string(size, '#')});
        s.Connect();
        ExpectSameInformation(s.host.generalInfo, clean, std::to_string(size));
        EXPECT_TRUE(s.host.dialogs.empty()) << size;
    }
    // The list keeps the tail of an endless line, and says it was cut.
    RxLineList l;
    l.AddChunk(std::string(RxLineList::kLongestLine + 5, '#') + "AT+CGMM");
    const int last = l.Size() - 1;
    EXPECT_TRUE(l.At(last).ends_with("#AT+CGMM"));
    EXPECT_EQ(l.At(last).size(), RxLineList::kLongestLine);
    EXPECT_TRUE(l.WasCut(last));
}

TEST(SplitNotice, ANoticeWhoseLineEndComesAfterTheNextCommandIsKept) {
    for (const std::string notice : {"+CMTI: \"SM\",3", "RING", "+CLIP: \"0911\",129"}) {
        ScriptRig h;
        SendAtCgmi(h.ctx());
        h.Sent();
        // The result and the start of a notice in one chunk: the next
        // command goes out before the notice's line end arrives.
        h.Receive("AT+CGMI\r\r\nSIEMENS\r\n\r\nOK\r\n\r\n" + notice);
        EXPECT_EQ(h.Sent(), "AT+CGMM\r") << notice;
        h.Receive("\r\nAT+CGMM\r\r\nS45\r\n\r\nOK\r\n");
        if (notice.starts_with("+CMTI")) {
            ASSERT_EQ(h.state().Sms.NewMessagesWaiting.size(), 1u) << notice;
            EXPECT_EQ(h.state().Sms.NewMessagesWaiting[0].Index, "3");
        } else {
            EXPECT_FALSE(h.host.newCallNotices.empty()) << notice;
        }
        EXPECT_EQ(h.host.generalInfo.ModLab, "S45") << notice;
    }
}

TEST(NewMessageNotices, TwoNoticesInOneChunkAreReadInTheOrderTheyCame) {
    ScriptRig h;
    h.Receive("\r\n+CMTI: \"SM\",3\r\n\r\n+CMTI: \"SM\",5\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"SM\",\"SM\",\"SM\"\r");
    h.Receive("AT+CPMS=\"SM\",\"SM\",\"SM\"\r\r\n+CPMS: 2,10,2,10,2,10\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CMGR=3\r");
}

TEST(NewMessageNotices, ANoticeDuringTheResetWaitsForTheConnection) {
    // The phone answers late, so the notice falls into the reset's pauses.
    SimPhoneRig s(phonesim::MakeDefaultState(), {.phone = {.answerDelayMs = 60}});
    s.state().Options.GeneralPageShown = false;
    s.phone().AddFault({.command = "ATZ", .unsolicitedBeforeResult = {"+CMTI: \"SM\",4"}});
    s.Connect(20000);
    const auto commands = s.Commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], "ATZ");
    EXPECT_EQ(commands[1], "ATZ");
    EXPECT_EQ(commands[2], "ATE1");
    // The message is read once the connection's chain is done.
    const auto cmgf = std::find(commands.begin(), commands.end(), "AT+CMGF=0");
    const auto read = std::find(commands.begin(), commands.end(), "AT+CMGR=4");
    ASSERT_NE(read, commands.end());
    EXPECT_LT(cmgf, read);
    EXPECT_TRUE(s.host.dialogs.empty());
}

TEST(PhoneErrors, ACodeToAMemorySelectionSkipsItAsErrorDoes) {
    for (const std::string refusal : {"ERROR", "+CME ERROR: 4"}) {
        SimPhoneRig s(phonesim::MakeDefaultState(), {.dataFolder = true});
        s.Connect();
        s.phone().AddFault({.command = "AT+CPBS=\"ON\"", .result = refusal});
        RefreshPhonebook(s.ctx(), PhoneMemory::Sim);
        ASSERT_TRUE(s.clock.RunUntil([&] { return s.host.phonebookSorts > 0; }, 60000)) << refusal;
        EXPECT_TRUE(s.host.dialogs.empty()) << refusal;
        EXPECT_TRUE(s.state().Phonebook.PhonebookLoaded) << refusal;
        EXPECT_THAT(s.Commands(), Contains("AT^SPBS=\"SD\"")) << refusal;
    }
}

TEST(LostLink, APortGoneInTheMiddleOfAReadGivesOneMessage) {
    SimPhoneRig s(phonesim::MakeDefaultState(), {.dataFolder = true});
    s.Connect();
    RefreshPhonebook(s.ctx(), PhoneMemory::Sim);
    ASSERT_TRUE(s.clock.RunUntil([&] { return s.host.phonebookSorts > 0; }, 60000));
    const auto before = s.host.phonebookRows;
    RefreshPhonebook(s.ctx(), PhoneMemory::Sim);
    ASSERT_TRUE(s.clock.RunUntil([&] { return s.host.progressVisible; }, 10000));
    s.device.SetWriteFailure(true);
    s.clock.RunFor(30000);
    ASSERT_EQ(s.host.dialogs.size(), 1u);
    EXPECT_EQ(s.host.dialogs[0].caption, "Communication error!");
    EXPECT_FALSE(s.port.Connected());
    EXPECT_FALSE(s.host.progressVisible);
    EXPECT_TRUE(s.host.mainWindowTakesInput);
    // The list shows the last complete read again.
    EXPECT_EQ(s.host.phonebookRows.size(), before.size());
}

}  // namespace
}  // namespace parlenko
