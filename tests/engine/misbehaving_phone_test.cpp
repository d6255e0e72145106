// The engine against a phone that misbehaves or is busy with other things:
// a long connection, a call during a read, line noise, no phone at all.
#include "tests/support/engine_inside.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/conversation/connection.h"
#include "tests/support/engine_rig.h"
#include "tests/support/phonesim/pdu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>

namespace parlenko {
namespace {

// A phone with ten SIM entries and nothing else.
phonesim::PhoneState TenEntryPhone() {
    phonesim::PhoneState s;
    auto& sim = s.phonebooks["SM"];
    sim.capacity = 10;
    for (int p = 1; p <= 10; ++p)
        sim.entries[p] = {"+38591555" + std::to_string(1000 + p), 145,
                          "Osoba " + std::to_string(p)};
    return s;
}

// The simulated phone, read in full again and again.
struct ReadRig : testing::SimPhoneRig {
    using testing::SimPhoneRig::EngineRig;
    // One full read; true when it ran to its end.
    bool ReadPhonebook() {
        const int sorted = host.phonebookSorts;
        RefreshPhonebook(ctx(), PhoneMemory::Sim);
        return clock.RunUntil([&] { return host.phonebookSorts > sorted; }, 60000);
    }
    std::size_t Entries() { return state().Phonebook.PhonebookList.size(); }
};

// Every phonebook memory in use, three messages in the SIM card and two in
// the phone memory, and the notices on as the connect chain leaves them.
phonesim::PhoneState BusyPhone() {
    phonesim::PhoneState s;
    const std::map<std::string, int> counts = {{"SM", 6}, {"ME", 6}, {"ON", 2}, {"SD", 2}};
    for (const auto& [memory, count] : counts) {
        auto& book = s.phonebooks[memory];
        book.capacity = 20;
        for (int p = 1; p <= count; ++p)
            book.entries[p] = {"0915550" + std::to_string(p), 129,
                               memory + " " + std::to_string(p)};
    }
    for (const auto& [memory, count] : std::map<std::string, int>{{"SM", 3}, {"ME", 2}}) {
        auto& box = s.smsMemories[memory];
        box.capacity = 10;
        for (int p = 1; p <= count; ++p) {
            phonesim::DeliverMessage m;
            m.sender = "0915550" + std::to_string(p);
            m.text = "Old " + memory + " " + std::to_string(p);
            box.messages[p] = {1, phonesim::BuildDeliverPdu(m)};
        }
    }
    s.settings.cnmi = {1, 1, 0, 2, 0};
    return s;
}

std::string NewMessagePdu(const std::string& text) {
    phonesim::DeliverMessage m;
    m.sender = "+385917654321";
    m.text = text;
    return phonesim::BuildDeliverPdu(m);
}

std::map<std::string, int> EntriesByMemory(const std::vector<AListIme>& list) {
    std::map<std::string, int> out;
    for (const auto& e : list) ++out[e.Location];
    return out;
}

const std::map<std::string, int> kBusyPhoneEntries = {
    {"SIM card", 6}, {"Mobile memory", 6}, {"Own numbers", 2}, {"Service numbers", 2}};

TEST(NewMessageDuringAnExchange, WaitsForThePhonebookReadOfEveryMemory) {
    for (const std::string memory : {"ME", "ON", "SD"}) {
        ReadRig h(BusyPhone());
        RefreshPhonebook(h.ctx(), PhoneMemory::Sim);
        ASSERT_TRUE(h.clock.RunUntil([&] { return h.state().CurrentMemory == memory; }, 30000));
        h.phone().ReceiveSms(h.clock.NowMs(), NewMessagePdu("Hello " + memory), "SM");
        ASSERT_TRUE(h.clock.RunUntil([&] { return h.host.phonebookSorts > 0; }, 60000)) << memory;
        h.clock.RunFor(5000);
        EXPECT_EQ(EntriesByMemory(h.state().Phonebook.PhonebookList), kBusyPhoneEntries) << memory;
        ASSERT_EQ(h.host.newSmsNotices.size(), 1u) << memory;
        EXPECT_EQ(h.host.newSmsNotices[0].PorukaMemo, "Hello " + memory);
        EXPECT_TRUE(h.host.dialogs.empty()) << memory;
    }
}

// The refresh timer or a read the user starts while a new message is being
// read waits for that read's answer: the message is shown, nothing is
// written over its exchange, and the refresh or read runs after it.
TEST(NewMessageDuringAnExchange, ARefreshOrAReadStartedMeanwhileWaitsForTheMessage) {
    const std::vector<std::pair<std::string, std::function<void(testing::SimPhoneRig&)>>> starts = {
        {"refresh",
         [](testing::SimPhoneRig& h) {
             auto& timer = EngineInside::Timers(h.engine).RefreshTimer;
             timer->SetInterval(1);
             timer->Start();
         }},
        {"phonebook read", [](testing::SimPhoneRig& h) { h.engine.RefreshPhonebook(); }},
        {"SMS read", [](testing::SimPhoneRig& h) { h.engine.RefreshSms(); }}};
    for (const int delay : {0, 30, 80}) {
        for (const auto& [name, start] : starts) {
            const std::string what = name + " / " + std::to_string(delay) + " ms";
            testing::SimPhoneRig h(BusyPhone(), {.phone = {.answerDelayMs = delay}});
            h.state().Options.GeneralPageShown = false;
            h.Connect(10000);
            const auto from = h.CommandCount();
            h.phone().ReceiveSms(h.clock.NowMs(), NewMessagePdu("Stize"), "SM");
            ASSERT_TRUE(h.clock.RunUntil(
                [&] {
                    const auto c = h.Commands(from);
                    return !c.empty() && c.back().starts_with("AT+CMGR=");
                },
                5000))
                << what;
            const std::string read = h.Commands(from).back();
            const auto readAt = h.CommandCount();
            start(h);
            const char* first = name == "refresh"          ? "AT+CGMI"
                                : name == "phonebook read" ? "AT+CPBS=\"SM\""
                                                           : "AT+CPMS=\"SM\",\"SM\",\"SM\"";
            // The notices shown when the first command of what was started
            // reached the phone.
            std::size_t shownBefore = 0;
            ASSERT_TRUE(h.clock.RunUntil(
                [&] {
                    const auto c = h.Commands(readAt);
                    shownBefore = h.host.newSmsNotices.size();
                    return std::find(c.begin(), c.end(), first) != c.end();
                },
                20000))
                << what;
            EngineInside::Timers(h.engine).RefreshTimer->Stop();
            h.clock.RunFor(20000);
            EXPECT_EQ(shownBefore, 1u) << what;
            EXPECT_EQ(h.host.newSmsNotices.size(), 1u) << what;
            EXPECT_TRUE(h.host.dialogs.empty()) << what;
            // What was started came next.
            const auto c = h.Commands(readAt);
            ASSERT_FALSE(c.empty()) << what;
            EXPECT_EQ(c.front(), first) << what;
        }
    }
}

TEST(NewMessageDuringAnExchange, TheSmsReadReadsEveryMessageOnceAndAnnouncesTheNewOne) {
    // The notice in the middle of the SIM card's pass, for a message in the
    // SIM card (behind the pass) and in the phone memory (still to be read).
    for (const std::string memory : {"SM", "ME"}) {
        testing::SimPhoneRig h(BusyPhone());
        h.engine.RefreshSms();
        ASSERT_TRUE(h.clock.RunUntil([&] { return h.Commands().size() >= 3; },
                                     30000));  // CPMS, CMGR=1, CMGR=2
        h.phone().ReceiveSms(h.clock.NowMs(), NewMessagePdu("New in " + memory), memory);
        h.clock.RunFor(30000);
        const auto& list = h.state().Sms.SmsList;
        EXPECT_EQ(list.size(), 6u) << memory;
        std::map<std::string, int> copies;
        for (const auto& m : list) ++copies[m.Location + " " + m.Position];
        for (const auto& [where, n] : copies) EXPECT_EQ(n, 1) << memory << ": " << where;
        ASSERT_EQ(h.host.newSmsNotices.size(), 1u) << memory;
        EXPECT_EQ(h.host.newSmsNotices[0].PorukaMemo, "New in " + memory);
        EXPECT_TRUE(h.host.dialogs.empty()) << memory;
    }
}

TEST(NewMessageDuringAnExchange, AMessageFillingAGapAheadOfTheSmsReadLeavesNoneBehind) {
    // Seven messages in each memory with position 4 free; the new one lands
    // there while the pass of its memory is at position 2, so the pass finds
    // one message more than its storage answer counted.
    for (const std::string memory : {"SM", "ME"}) {
        phonesim::PhoneState s = BusyPhone();
        for (const std::string box : {"SM", "ME"}) {
            auto& messages = s.smsMemories[box].messages;
            messages.clear();
            for (const int p : {1, 2, 3, 5, 6, 7, 8})
                messages[p] = {1, NewMessagePdu(box + " old")};
        }
        testing::SimPhoneRig h(std::move(s));
        h.engine.RefreshSms();
        const std::string second = "AT+CMGR=2";
        ASSERT_TRUE(h.clock.RunUntil(
            [&] {
                const auto commands = h.Commands();
                return h.state().CurrentMemory == memory &&
                       std::find(commands.begin(), commands.end(), second) != commands.end() &&
                       h.state().Sms.Reading;
            },
            30000));
        ASSERT_EQ(h.phone().ReceiveSms(h.clock.NowMs(), NewMessagePdu("New in " + memory), memory),
                  4);
        h.clock.RunFor(30000);
        std::map<std::string, int> copies;
        for (const auto& m : h.state().Sms.SmsList) ++copies[m.Location + " " + m.Position];
        std::map<std::string, int> expected;
        for (const std::string box : {"SM", "ME"})
            for (const std::string p : {"01", "02", "03", "04", "05", "06", "07", "08"})
                if (p != "04" || box == memory)
                    expected[std::string(MemoryCaption(*MemoryFromCode(box))) + " " + p] = 1;
        EXPECT_EQ(copies, expected) << memory;
        ASSERT_EQ(h.host.newSmsNotices.size(), 1u) << memory;
        EXPECT_EQ(h.host.newSmsNotices[0].PorukaMemo, "New in " + memory);
        EXPECT_TRUE(h.host.dialogs.empty()) << memory;
        EXPECT_FALSE(h.host.IsProgressWindowVisible()) << memory;
    }
}

TEST(CallDuringAnExchange, RingAndCallerIdAnywhereInsideAReadDoNotStopIt) {
    const std::vector<std::string> call = {"RING", "+CLIP: \"0915553\",129"};
    for (int place = 0; place < 3; ++place) {
        ReadRig h(TenEntryPhone());
        phonesim::CommandFault fault;
        fault.command = "AT+CPBR=4";
        if (place == 0) fault.unsolicitedBeforeAnswer = call;
        if (place == 1) fault.unsolicitedBeforeResult = call;
        if (place == 2) {
            fault.unsolicitedBeforeAnswer = call;
            fault.splitAt = {5, 14, 30};  // inside the call's lines and the answer
            fault.splitGapMs = 30;
        }
        h.phone().AddFault(fault);
        ASSERT_TRUE(h.ReadPhonebook()) << place;
        EXPECT_EQ(h.Entries(), 10u) << place;
        EXPECT_TRUE(h.host.dialogs.empty()) << place;
        EXPECT_FALSE(h.host.newCallNotices.empty()) << place;
    }
}

TEST(LineNoise, NoiseAfterEveryAnswerOfTheConnectChainLeavesTheChainWhole) {
    testing::SimPhoneRig h;
    phonesim::CommandFault noise;
    noise.times = -1;
    noise.rawAfter = "\x7f\xfe#";
    h.phone().AddFault(noise);
    h.engine.GeneralPageShown(false);
    h.Connect(20000);
    const auto commands = h.Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "AT+CSCB=1"), commands.end());
    EXPECT_EQ(h.phone().State().settings.cnmi[1], 1);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(LineNoise, NoiseAfterAMemorySelectionDoesNotLoseTheWrite) {
    testing::SimPhoneRig h(BusyPhone(), {.dataFolder = true});
    h.engine.RefreshPhonebook();
    h.clock.RunFor(60000);
    phonesim::CommandFault noise;
    noise.command = "AT+CPBS=";
    noise.rawAfter = "\x13\x7f";
    h.phone().AddFault(noise);
    h.engine.DeletePhonebookEntry(PhoneMemory::Sim, "2");
    h.clock.RunFor(5000);
    EXPECT_EQ(h.phone().State().phonebooks["SM"].entries.count(2), 0u);
    EXPECT_EQ(EntriesByMemory(h.state().Phonebook.PhonebookList).at("SIM card"), 5);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(TalkingDevice, AStreamWithoutAnswersIsCutAndEndsLikeASilentPhone) {
    testing::ScriptRig h;
    ResetModem(h.ctx());
    // Bytes without a line end, then lines nobody asked for (a GPS).
    for (int k = 0; k < 100; ++k) {
        h.Receive(std::string(4000, 'x'));
        h.clock.RunFor(100);
    }
    EXPECT_LE(h.lines().At(h.lines().Size() - 1).size(), 65536u);
    const std::string nmea =
        "\r\n$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
    for (int k = 0; k < 300; ++k) {
        h.Receive(nmea);
        h.clock.RunFor(100);
    }
    EXPECT_FALSE(h.port.Connected());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Communication error!");
}

// Each write the phone takes in (its echo comes) but never answers: the
// operation's own failure text, once, and nothing of it is carried out by a
// later answer or memory selection.
TEST(UnansweredWrite, EndsWithItsOwnFailureTextAndLeavesNothingPending) {
    constexpr char kPhonebook[] =
        "Error occurred while trying to write or\rdelete entry in mobile phonebook!";
    constexpr char kStore[] = "Error occurred while trying to write\rSMS message in mobile!";
    constexpr char kSend[] = "Error occurred while trying to send SMS message!";
    constexpr char kDelete[] = "Error occurred while trying to delete\rSMS message from mobile!";
    const ComposedSms message{.Number = "+35981255341", .Text = "Hi"};
    struct Write {
        std::string silentCommand;
        std::function<void(PhoneEngine&)> start;
        std::string text;
    };
    const std::vector<Write> writes = {
        {"AT+CPBW=", [](PhoneEngine& e) { e.DeletePhonebookEntry(PhoneMemory::Sim, "2"); },
         kPhonebook},
        {"AT+CPBS=",
         [](PhoneEngine& e) {
             e.SavePhonebookEntry({PhoneMemory::Phone, "009", "Ivo", "0911"});
         },
         kPhonebook},
        {"AT+CMGW=", [&](PhoneEngine& e) { e.StoreSms(message); }, kStore},
        {"AT+CMGS=", [&](PhoneEngine& e) { e.SendSms(message); }, kSend},
        {"AT+CMSS=", [](PhoneEngine& e) { e.SendStoredSms(PhoneMemory::Sim, "01"); }, kSend},
        {"AT+CPMS=", [](PhoneEngine& e) { e.DeleteSms(PhoneMemory::Sim, "01"); }, kDelete},
        {"AT+CALM=", [](PhoneEngine& e) { e.SetAlertSound(AlertSound::Silent); },
         "Error occured while trying to\rset alert sound mode in mobile!"},
        {"AT+CCLK=",
         [](PhoneEngine& e) {
             e.SetPhoneClock(std::chrono::local_seconds(std::chrono::hours(24 * 365 * 30)));
         },
         "Error occured while trying to\rsave date and time in mobile!"},
    };
    for (const auto& w : writes) {
        testing::SimPhoneRig h(BusyPhone(), {.dataFolder = true});
        phonesim::CommandFault silent;
        silent.command = w.silentCommand;
        silent.noAnswer = true;
        h.phone().AddFault(silent);
        w.start(h.engine);
        h.clock.RunFor(15000);
        ASSERT_EQ(h.host.dialogs.size(), 1u) << w.silentCommand;
        EXPECT_EQ(h.host.dialogs[0].text, w.text) << w.silentCommand;
        EXPECT_TRUE(h.host.mainWindowTakesInput) << w.silentCommand;
        EXPECT_FALSE(HasSmsOp(h.state().Sms.Op)) << w.silentCommand;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(h.state().Phonebook.Op))
            << w.silentCommand;
        // A later full read selects every memory again: nothing is written.
        const auto before = h.CommandCount();
        h.engine.RefreshSms();
        h.clock.RunFor(30000);
        for (const auto& c : h.Commands(before))
            EXPECT_FALSE(c.starts_with("AT+CMG") && !c.starts_with("AT+CMGR="))
                << w.silentCommand << ": " << c;
        EXPECT_EQ(h.host.dialogs.size(), 1u) << w.silentCommand;
    }
}

TEST(LongConnection, ReceivedLinesStayBoundedOverAHundredReads) {
    ReadRig h(TenEntryPhone());
    int largest = 0;
    for (int read = 0; read < 100; ++read) {
        ASSERT_TRUE(h.ReadPhonebook()) << "read " << read;
        ASSERT_EQ(h.Entries(), 10u);
        largest = std::max(largest, EngineInside::State(h.engine).Receive.RxLines.Size());
    }
    // One read alone leaves about fifty lines; a hundred must not add up.
    EXPECT_LE(largest, 40);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(LongConnection, APromptServedBeforeTheListShrankIsNotServedAgain) {
    testing::ScriptRig h;
    h.state().Sms.PduToSend = "0011000B91";
    h.Receive("AT+CSQ\r\r\n+CSQ: 20,99\r\n\r\nOK\r\n");  // lines to drop later
    h.Receive("AT+CMGS=23\r\r\n> ");
    EXPECT_EQ(h.Sent().find("0011000B91\x1a"), 0u);
    h.Receive("\n");  // nothing new: the prompt still stands, at a new index
    EXPECT_EQ(h.Sent(), "");
}

TEST(CallDuringARead, RingAndCallerIdInTheChunkOfAnOkDoNotStopTheRead) {
    ReadRig h(TenEntryPhone());
    phonesim::CommandFault call;
    call.command = "AT+CPBR=4";
    call.unsolicitedAfter = {"RING", "+CLIP: \"+385915551003\",145"};
    h.device.Phone().AddFault(call);
    ASSERT_TRUE(h.ReadPhonebook());
    EXPECT_EQ(h.Entries(), 10u);
    EXPECT_TRUE(h.host.dialogs.empty());
    ASSERT_FALSE(h.host.newCallNotices.empty());
    EXPECT_EQ(h.host.newCallNotices.back().name, "Osoba 3");
}

TEST(LineNoise, AFragmentLeftAfterAnExchangeDoesNotSwallowTheNextEcho) {
    testing::ScriptRig h;
    // Notices off answered, then noise without a carriage return.
    h.Receive("AT+CNMI=0,0,0,0\r\r\nOK\r\n\x7f\xfe#");
    ASSERT_TRUE(h.host.mainWindowTakesInput);
    h.Sent();
    RefreshPhonebook(h.ctx(), PhoneMemory::Sim);
    EXPECT_EQ(h.Sent(), "AT+CPBS=\"SM\"\r");
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBS?\r");
}

TEST(NoPhone, AConnectNobodyAnswersIsReportedOnceAndClosesThePort) {
    testing::ScriptRig h;  // the port is open; nothing ever answers
    ResetModem(h.ctx());
    h.clock.RunFor(30000);
    EXPECT_FALSE(h.port.Connected());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Communication error!");

    // A phone that answered the whole connection is left alone when it
    // later goes quiet with nothing asked.
    testing::SimPhoneRig answered;
    answered.Connect();
    answered.device.Phone().AddFault({.command = "", .times = -1, .noAnswer = true});
    answered.clock.RunFor(30000);
    EXPECT_TRUE(answered.port.Connected());
    EXPECT_TRUE(answered.host.dialogs.empty());
}

}  // namespace
}  // namespace parlenko
