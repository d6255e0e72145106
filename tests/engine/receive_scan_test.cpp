#include "engine/conversation/command_send.h"
#include "engine/calls/call_notices.h"
#include "engine/general/network_view.h"
#include "engine/pdu/septets.h"
#include "exchange/formats/location_names.h"
#include "tests/support/engine_rig.h"
#include "engine/general/general_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace parlenko {
namespace {

using testing::ScriptRig;

// The index of the message a new-message notice asked to read; "" when none.
std::string NewSmsIndex(ScriptRig& h) {
    const auto* read = std::get_if<SmsReadNew>(&h.state().Sms.Op);
    return read ? read->Index : std::string();
}

constexpr char kSmsPrompt[] = "AT+CMGS=23\r\r\n> ";

// ---------------------------------------------------------------- calls

TEST(ReceiveCalls, RingShowsUnknownCallerThenClipFillsTheNotice) {
    ScriptRig h;
    h.state().Phonebook.PhonebookList = {{"Ana!", "0911234567", "SM", "001"}};
    h.Receive("RING\r\n");
    ASSERT_EQ(h.host.newCallNotices.size(), 1u);
    EXPECT_EQ(h.host.newCallNotices[0].name, "Unknown");
    EXPECT_EQ(h.host.newCallNotices[0].number, "Hidden");
    EXPECT_TRUE(h.ctx().timers.NewCallTimer->IsActive());
    EXPECT_EQ(h.host.newCallHint, "You got new call(s)!\rTo view calls, click here.");

    h.Receive("+CLIP: \"0911234567\",129\r\n");
    ASSERT_EQ(h.host.newCallNotices.size(), 2u);
    EXPECT_EQ(h.host.newCallNotices[1].name, "Ana");  // VIP mark not shown
    EXPECT_EQ(h.host.newCallNotices[1].number, "0911234567");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(ReceiveCalls, RepeatedRingKeepsTheNoticeAndTheLinesAboveItAreHandled) {
    ScriptRig h;
    h.Receive("RING\r\n+CLIP: \"0911\",129\r\n");
    const auto shown = h.host.newCallNotices.size();
    // A later RING of the same call leaves the notice as it is.
    h.Receive("BUSY\r\nRING\r\n");
    EXPECT_EQ(h.host.newCallNotices.size(), shown);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, "Phone number you dialed is busy!");
}

// The phone's notices in a flood, each kind alone, many to a chunk: every
// line is handled in the chunk it came in, so the received lines stay as
// few at the end as after the first chunks.
TEST(ReceiveFlood, NoticesOfAFloodLeaveTheReceivedLinesBounded) {
    for (const std::string line :
         {"RING", "+CLIP: \"0911\",129", "+CREG: 1,\"0DA2\",\"5C1F\"", "HELLO", "\x7f#~"}) {
        ScriptRig h;
        std::string chunk;
        for (int k = 0; k < 40; ++k) chunk += "\r\n" + line + "\r\n";
        int largest = 0;
        for (int k = 0; k < 500; ++k) {
            h.Receive(chunk);
            h.clock.RunFor(20);
            largest = std::max(largest, h.lines().Size());
        }
        EXPECT_LE(largest, 200) << line;
        EXPECT_LE(h.lines().Size(), 2 * RxLineList::kFloor) << line;
    }
}

TEST(ReceiveCalls, ClipNumberIsTheQuotedFieldBeforeTheFirstComma) {
    EXPECT_EQ(ClipNumber("+CLIP: \"0911234567\",129"), "0911234567");
    EXPECT_EQ(ClipNumber("+CLIP: \"\",128"), "");
    // Optional subaddress and alpha fields follow the type: the number stands.
    EXPECT_EQ(ClipNumber("+CLIP: \"+385911234567\",145,,,\"Ana\",0"), "+385911234567");
    EXPECT_EQ(ClipNumber("+CLIP: \"0911\""), "0911");
    EXPECT_EQ(ClipNumber("+CLIP: "), "");
}

TEST(ReceiveCalls, WithheldNumberShowsAnEmptyNumber) {
    ScriptRig h;
    h.Receive("+CLIP: \"\",128\r\n");
    ASSERT_EQ(h.host.newCallNotices.size(), 1u);
    EXPECT_EQ(h.host.newCallNotices[0].number, "");
    EXPECT_EQ(h.host.newCallNotices[0].name, "");
}

TEST(ReceiveCalls, NoCarrierEndsTheCallAndClosesItsWindows) {
    ScriptRig h;
    h.state().Call.InCall = true;
    h.host.dialButtonEnabled = false;
    h.Receive("RING\r\n+CLIP: \"0911\",129\r\n");
    h.Receive("NO CARRIER\r\n");
    EXPECT_FALSE(h.state().Call.InCall);
    EXPECT_TRUE(h.host.dialButtonEnabled);
    EXPECT_EQ(h.host.newCallNoticeCloses, 1);
    EXPECT_EQ(h.host.talkingWindowCloses, 1);
    ASSERT_EQ(h.host.statusMessages.size(), 1u);
    EXPECT_EQ(h.host.statusMessages[0], "Disconnected!");
    // The next call starts with an unknown caller again.
    h.Receive("RING\r\n");
    EXPECT_EQ(h.host.newCallNotices.back().number, "Hidden");
}

TEST(ReceiveCalls, BusyAndNoDialtoneTellTheUser) {
    ScriptRig h;
    h.state().Call.InCall = true;
    h.Receive("NO DIALTONE\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Information");
    EXPECT_EQ(h.host.dialogs[0].text, "No dialtone!");
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Information);
    EXPECT_FALSE(h.state().Call.InCall);
    h.Receive("BUSY\r\n");
    EXPECT_EQ(h.host.dialogs.back().text, "Phone number you dialed is busy!");
}

// ---------------------------------------------------------------- messages

TEST(ReceiveMessages, NewMessageInPhoneMemorySelectsItForReading) {
    ScriptRig h;
    h.Receive("+CMTI: \"ME\",12\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"ME\",\"ME\",\"ME\"\r");
    const auto* read = std::get_if<SmsReadNew>(&h.state().Sms.Op);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Index, "12");
    EXPECT_EQ(read->Memory, PhoneMemory::Phone);
    EXPECT_EQ(h.state().CurrentMemory, "ME");
    EXPECT_TRUE(h.ctx().timers.NewSmsTimer->IsActive());
    EXPECT_EQ(h.host.newSmsHint, "You got new SMS message(s)!\rTo view SMS messages, click here.");
}

TEST(ReceiveMessages, IndexesAboveNinetyNineAreReadWhole) {
    ScriptRig h;
    h.Receive("+CMTI: \"SM\",123\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"SM\",\"SM\",\"SM\"\r");
    EXPECT_EQ(NewSmsIndex(h), "123");
}

TEST(ReceiveMessages, StatusReportInAnotherMemoryLeavesNoPendingRead) {
    ScriptRig h;
    h.state().CurrentMemory = "SM";
    h.Receive("+CDSI: \"SR\",2\r\n");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    EXPECT_EQ(h.state().CurrentMemory, "SM");
    EXPECT_TRUE(h.lines().IsBlank(h.lines().Size() - 2));
}

TEST(ReceiveMessages, NoticeSplitBetweenChunksIsReadWhole) {
    ScriptRig h;
    h.Receive("+CMTI: \"SM\",1");
    EXPECT_EQ(h.Sent(), "");
    h.Receive("2\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"SM\",\"SM\",\"SM\"\r");
    EXPECT_EQ(NewSmsIndex(h), "12");
}

TEST(ReceiveMessages, OverflowNoticeStates) {
    ScriptRig h;
    h.Receive("^SMGO: 2,2\r\n");
    EXPECT_TRUE(h.ctx().timers.SmsOverflowTimer->IsActive());
    EXPECT_EQ(h.state().Indicators.SmsOverflowKind, 1);
    EXPECT_EQ(h.state().Indicators.NewSmsPhase, 2);
    EXPECT_EQ(h.host.newSmsHint,
              "SMS memory is full, and new message that should\rbe sent to you is waiting in SMS "
              "center!\r\rDelete messages you don't need, because\rnew messages cannot be "
              "received!");
    h.Receive("^SMGO: 2,0\r\n");
    EXPECT_FALSE(h.ctx().timers.SmsOverflowTimer->IsActive());
    EXPECT_EQ(h.host.newSmsHint, "No new SMS messages!");
    h.Receive("^SMGO: 1\r\n");  // a single number is the state itself
    EXPECT_EQ(h.state().Indicators.SmsOverflowKind, 0);
    EXPECT_EQ(h.state().Indicators.NewSmsPhase, 0);
    EXPECT_TRUE(h.ctx().timers.SmsOverflowTimer->IsActive());
    EXPECT_EQ(h.host.newSmsHint,
              "SMS memory is full!\r\rDelete messages you don't need, because\rnew messages "
              "cannot be received!");
    h.Receive("^SMGO: 2,7\r\n");  // unknown state: nothing changes
    EXPECT_TRUE(h.ctx().timers.SmsOverflowTimer->IsActive());
}

// ---------------------------------------------------------------- prompt

TEST(ReceivePrompt, SmsPromptSendsThePduOnce) {
    ScriptRig h;
    h.state().Sms.PduToSend = "0011000B91";
    const auto t0 = h.clock.NowMs();
    h.Receive(kSmsPrompt);
    EXPECT_EQ(h.Sent(), "0011000B91\x1a");
    EXPECT_EQ(h.clock.NowMs() - t0, 50);  // the phone is given a moment first
    // Line feeds only, and a carriage return before the body's echo: the
    // prompt is still there but was answered.
    h.Receive("\n\n");
    h.Receive("\r");
    EXPECT_EQ(h.Sent(), "");
    // The echoed body follows and the exchange goes on.
    h.Receive("\n0011000B91\x1a\r\n");
    EXPECT_EQ(h.Sent(), "");
}

TEST(ReceivePrompt, UploadPromptSendsTheNextPacket) {
    ScriptRig h;
    h.state().Upload.UploadPackets = {"AAAA", "BBBB", "CCCC"};
    h.state().Upload.PacketIndex = 2;
    h.Receive("AT^SBNW=\"mid\",0,2,3\r\r\n> ");
    EXPECT_EQ(h.Sent(), "BBBB\x1a");
}

TEST(ReceivePrompt, PromptWithoutARunningUploadSendsNothing) {
    ScriptRig h;
    h.state().Upload.PacketIndex = 1;  // left over; the packets are gone
    h.Receive("AT^SBNW=\"vcs\",1,1,1\r\r\n> ");
    h.state().Upload.UploadPackets = {"AAAA"};
    h.state().Upload.PacketIndex = 5;
    h.Receive("\r\n> ");
    h.Receive("AT^SBNW=\"bmp\",0,1,1\r\r\n> ");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(ReceivePrompt, PromptOfAnUnknownCommandSendsNothing) {
    ScriptRig h;
    h.state().Sms.PduToSend = "00";
    h.Receive("AT+CPBW=1\r\r\n> ");
    EXPECT_EQ(h.Sent(), "");
}

TEST(ReceivePrompt, EscapeEchoEndsTheBusyState) {
    ScriptRig h;
    h.Receive("\x1b");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_TRUE(h.lines().IsBlank(h.lines().Size() - 1));
}

// ---------------------------------------------------------------- network

std::string CellBroadcastPage(std::string_view idLowOctetHex, std::string_view text) {
    std::string septets(text);
    septets.resize(93, '\r');  // 82 octets of CR-padded text
    auto packed = PackSeptets(septets);
    packed.resize(82);
    std::string hex = "4000";  // serial number
    hex += "00";
    hex += idLowOctetHex;  // message identifier
    hex += "01";           // coding scheme
    hex += "11";           // page parameter
    static const char* digits = "0123456789ABCDEF";
    for (auto b : packed) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

TEST(ReceiveNetwork, CellBroadcastNamesTheLocation) {
    ScriptRig h;
    h.state().GeneralInfo.OperLab = "HR VIP";
    const auto page = CellBroadcastPage("32", "Zagreb Centar");
    ASSERT_EQ(page.size(), 176u);
    h.Receive("+CBM: 88\r\n" + page + "\r\n");
    EXPECT_EQ(h.state().GeneralInfo.LokacijaLab, "Zagreb Centar");
    EXPECT_EQ(h.host.generalInfo.NetLocLab, "HR VIP:  Zagreb Centar");
    // Without an operator the location stands alone.
    h.state().GeneralInfo.OperLab = "";
    h.Receive("+CBM: 88\r\n" + page + "\r\n");
    EXPECT_EQ(h.host.generalInfo.NetLocLab, "Zagreb Centar");
    // Every letter of the phone's alphabet: é is code 5, "@" code 0.
    h.Receive("+CBM: 88\r\n" + CellBroadcastPage("32", std::string("Caf\x05 \0 Ri", 9)) + "\r\n");
    EXPECT_EQ(h.state().GeneralInfo.LokacijaLab, "Caf\xE9 @ Ri");
}

TEST(ReceiveNetwork, OtherBroadcastsAreDroppedAndTheLinesAboveThemHandled) {
    ScriptRig h;
    h.Receive("BUSY\r\n+CBM: 88\r\n" + CellBroadcastPage("33", "News") + "\r\n");
    EXPECT_EQ(h.state().GeneralInfo.LokacijaLab, "");
    EXPECT_EQ(h.host.generalInfoChanges, 0);
    ASSERT_EQ(h.host.dialogs.size(), 1u);  // BUSY above
    EXPECT_EQ(h.host.dialogs[0].text, "Phone number you dialed is busy!");
    const int n = h.lines().Size();
    EXPECT_TRUE(h.lines().IsBlank(n - 2));
    EXPECT_TRUE(h.lines().IsBlank(n - 3));

    // The result of the exchange in flight, in the same chunk above the
    // page, is handled: the chain goes on.
    SendAtCgmi(h.ctx());
    h.Sent();
    h.Receive("AT+CGMI\r\r\nSIEMENS\r\n\r\nOK\r\n\r\n+CBM: 88\r\n" +
              CellBroadcastPage("33", "News") + "\r\n");
    EXPECT_EQ(h.Sent(), "AT+CGMM\r");
    EXPECT_EQ(h.host.generalInfo.ProLab, "SIEMENS");
}

TEST(ReceiveNetwork, RegistrationNoticeFillsTheNetworkLabels) {
    ScriptRig h;
    const auto dir = std::filesystem::temp_directory_path() / "parlenko-rx-creg";
    std::filesystem::create_directories(dir);
    h.state().Options.DataDir = dir.string();
    ASSERT_TRUE(exchange::SaveLocationName(dir.string(), "HR VIP", "0DA2", "5C1F", "Trg").ok());
    auto& v = h.state().GeneralInfo;
    v.OperLab = "HR VIP";
    v.PrijemLab = "65%     [ -73 dBm ]";

    h.Receive("+CREG: 1,\"0DA2\",\"5C1F\"\r\n");
    EXPECT_EQ(v.StatMreLab, "Checked in.");
    EXPECT_EQ(v.PodrucjeLab, "0DA2");
    EXPECT_EQ(v.BazaIDLab, "5C1F");
    EXPECT_TRUE(v.SaveNetLocEnabled);
    EXPECT_EQ(v.LokacijaLab, "Trg");
    EXPECT_EQ(v.NetLocLab, "HR VIP:  Trg");
    EXPECT_EQ(v.NetLocHint,
              "Network name:  HR VIP\rLocation name:  Trg\rNetwork status:  Checked in.\r"
              "Reception level:  65%");
    EXPECT_EQ(h.host.generalInfo.NetLocLab, "HR VIP:  Trg");
    EXPECT_TRUE(h.host.mainWindowTakesInput);

    // While cell broadcasts name the location the saved names are not used.
    h.state().Options.CellInfoCheck = true;
    v.LokacijaLab = "from broadcast";
    h.Receive("+CREG: 1,\"0DA2\",\"5C1F\"\r\n");
    EXPECT_FALSE(v.SaveNetLocEnabled);
    EXPECT_EQ(v.LokacijaLab, "from broadcast");
    std::filesystem::remove_all(dir);
}

TEST(ReceiveNetwork, CaptionWithoutALocationIsTheOperatorAlone) {
    GeneralInfoView v;
    v.OperLab = "HR VIP";
    v.LokacijaLab = "  ";  // blank names count as none, but are shown as they are
    v.StatMreLab = "Checked in.";
    v.PrijemLab = "no reading";
    UpdateNetLocCaption(v, NetLocVariant::Registration);
    EXPECT_EQ(v.NetLocLab, "HR VIP");
    EXPECT_EQ(v.NetLocHint,
              "Network name:  HR VIP\rLocation name:    \rNetwork status:  Checked in.\r"
              "Reception level:  ");
    UpdateNetLocCaption(v, NetLocVariant::CellBroadcast);
    EXPECT_EQ(v.NetLocLab, "HR VIP");

    // A blank operator: the registration caption keeps it, the broadcast drops it.
    v.OperLab = " ";
    v.LokacijaLab = "Trg";
    UpdateNetLocCaption(v, NetLocVariant::Registration);
    EXPECT_EQ(v.NetLocLab, " :  Trg");
    UpdateNetLocCaption(v, NetLocVariant::CellBroadcast);
    EXPECT_EQ(v.NetLocLab, "Trg");
}

TEST(ReceiveNetwork, SolicitedAnswerWaitsForItsOk) {
    ScriptRig h;
    SendAtCregQuery(h.ctx());
    h.Receive("BUSY\r\nAT+CREG?\r\r\n+CREG: 2,1,\"0DA2\",\"5C1F\"\r\n");
    EXPECT_TRUE(h.host.dialogs.empty());
    EXPECT_EQ(h.state().GeneralInfo.StatMreLab, "");
    EXPECT_EQ(h.lines().At(h.lines().Size() - 2), "+CREG: 2,1,\"0DA2\",\"5C1F\"");
}

// ---------------------------------------------------------------- re-entrancy

TEST(ReceiveNesting, ChunksArrivingInAMessageBoxAreHandledOnce) {
    ScriptRig h;
    int nested = 0;
    h.host.onMessageDialog = [&](const testing::RecordedDialog&) {
        if (nested++ == 0) h.Receive("RING\r\n+CMTI: \"SM\",4\r\nNO DIALTONE\r\n");
        return DialogResult::Ok;
    };
    h.Receive("+CMTI: \"SM\",3\r\nBUSY\r\n");
    // BUSY's box let the nested call handle everything it saw, including
    // the older notice; the outer scan finds it blank afterwards. The two
    // messages are read one after the other once the outer call is done,
    // in the order they arrived.
    ASSERT_EQ(h.host.dialogs.size(), 2u);
    EXPECT_EQ(h.host.dialogs[0].text, "Phone number you dialed is busy!");
    EXPECT_EQ(h.host.dialogs[1].text, "No dialtone!");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"SM\",\"SM\",\"SM\"\r");
    h.Receive("AT+CPMS=\"SM\",\"SM\",\"SM\"\r\r\n+CPMS: 2,10,2,10,2,10\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CMGR=3\r");
    h.Receive("AT+CMGR=3\r\r\n+CMS ERROR: 321\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"SM\",\"SM\",\"SM\"\r");
    EXPECT_EQ(h.host.newCallNotices.size(), 1u);
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
}

TEST(ReceiveNesting, ResetInsideABoxEndsTheOuterScan) {
    ScriptRig h;
    h.host.onMessageDialog = [&](const testing::RecordedDialog&) {
        h.engine.ResetRxLines();
        return DialogResult::Ok;
    };
    h.Receive("+CMTI: \"SM\",3\r\nBUSY\r\n");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_EQ(h.lines().Size(), 20);
}

// ---------------------------------------------------------------- chunking

// What a user could tell apart after a conversation.
struct Outcome {
    std::string written;
    std::vector<std::string> dialogs;
    std::vector<std::string> status;
    std::string notice;  // the last notice shown
    bool noticeVisible = false;
    std::vector<std::string> lines;
    std::string lokacija, stat, newSmsIndex;
    bool inCall = false, readNewSms = false, takesInput = false;

    bool operator==(const Outcome&) const = default;
};

// A connection's worth of traffic, in the bursts the phone sends them: a
// burst ends where the phone waits (for a command, the body after "> ") or
// where time passes before the next notice. Each burst follows the command
// the program wrote for it (none for what the phone sends of its own accord).
struct Burst {
    std::string command;
    std::string bytes;
};

const std::vector<Burst>& Transcript() {
    static const std::vector<Burst> t = {
        {"ATZ", "ATZ\r\r\nOK\r\n"},
        {"ATZ", "ATZ\r\r\nOK\r\n"},
        {"ATE1", "ATE1\r\r\nOK\r\n"},
        {"AT+CPBR=1", "AT+CPBR=1\r\r\n+CPBR: 1,\"0911234567\",129,\"Ana\"\r\n\r\nOK\r\n"},
        {"", "RING\r\n\r\n+CLIP: \"0911234567\",129,,,\"Ana\",0\r\n"},
        {"", "\r\nRING\r\n"},
        {"", "+CREG: 1,\"0DA2\",\"5C1F\"\r\n"},
        {"", "NO CARRIER\r\n"},
        {"", "^SMGO: 2,1\r\n+CMTI: \"SM\",105\r\n"},
        {"AT+CMGS=23", "AT+CMGS=23\r\r\n> "},
        {"", "0011000B91\x1a\r\n+CMGS: 7\r\n\r\nOK\r\n"},
        {"", "BUSY\r\n"},
        {"AT+CSQ", "AT+CSQ\r\r\n+CSQ: 20,99\r\n\r\nOK\r\n"},
    };
    return t;
}

Outcome RunTranscript(const std::vector<std::vector<std::string>>& segmentsInChunks) {
    ScriptRig h;
    h.state().Sms.PduToSend = "0011000B91";
    h.state().Phonebook.PhonebookList = {{"Ana", "0911234567", "SM", "001"}};
    for (std::size_t k = 0; k < segmentsInChunks.size(); ++k) {
        if (const auto& command = Transcript()[k].command; !command.empty())
            SendAtLine(h.ctx(), command + "\r");
        for (const auto& c : segmentsInChunks[k]) h.Receive(c);
    }
    h.Receive("\n");  // one more poll: whatever waited is handled
    Outcome o;
    o.written = h.Sent();
    for (const auto& d : h.host.dialogs) o.dialogs.push_back(d.text);
    o.status = h.host.statusMessages;
    if (!h.host.newCallNotices.empty())
        o.notice = h.host.newCallNotices.back().name + "/" + h.host.newCallNotices.back().number;
    o.noticeVisible = h.host.newCallNoticeVisible;
    for (int i = 0; i < h.lines().Size(); ++i) o.lines.push_back(h.lines().At(i));
    o.lokacija = h.state().GeneralInfo.LokacijaLab;
    o.stat = h.state().GeneralInfo.StatMreLab;
    o.newSmsIndex = NewSmsIndex(h);
    o.inCall = h.state().Call.InCall;
    o.readNewSms = IsReadingNewSms(h.state().Sms.Op);
    o.takesInput = h.host.mainWindowTakesInput;
    return o;
}

TEST(ReceiveChunking, WholeByteByByteAndEverySplitAgree) {
    std::vector<std::string> t;
    for (const auto& burst : Transcript()) t.push_back(burst.bytes);
    std::vector<std::vector<std::string>> whole;
    for (const auto& s : t) whole.push_back({s});
    const Outcome expected = RunTranscript(whole);
    EXPECT_NE(expected.written.find("0011000B91\x1a"), std::string::npos);
    EXPECT_NE(expected.written.find("AT+CPMS=\"SM\""), std::string::npos);
    EXPECT_EQ(expected.newSmsIndex, "105");
    EXPECT_EQ(expected.stat, "Checked in.");
    ASSERT_EQ(expected.dialogs.size(), 1u);
    EXPECT_EQ(expected.notice, "Ana/0911234567");
    EXPECT_FALSE(expected.noticeVisible);

    std::vector<std::vector<std::string>> bytes;
    for (const auto& s : t) {
        bytes.emplace_back();
        for (char c : s) bytes.back().push_back(std::string(1, c));
    }
    EXPECT_EQ(RunTranscript(bytes), expected) << "byte by byte";

    for (std::size_t seg = 0; seg < t.size(); ++seg) {
        for (std::size_t k = 1; k < t[seg].size(); ++k) {
            auto split = whole;
            split[seg] = {t[seg].substr(0, k), t[seg].substr(k)};
            EXPECT_EQ(RunTranscript(split), expected) << "segment " << seg << " split at " << k;
        }
    }
}

}  // namespace
}  // namespace parlenko
