// The phone operations a page starts through PhoneEngine (phonebook entries,
// calls, the balance, the set commands), against the simulated phone on
// virtual time; its scripted faults play the failures.
#include "tests/support/engine_rig.h"
#include "engine/settings/settings_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace parlenko {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::SimPhoneRig;

constexpr testing::RigOptions kWithData{.dataFolder = true};
constexpr char kWriteFailed[] =
    "Error occurred while trying to write or\rdelete entry in mobile phonebook!";

// The default phone after a full phonebook read (SIM entries at 1, 2, 5;
// mobile memory at 1).
struct ReadPhone {
    ReadPhone() : h(phonesim::MakeDefaultState(), kWithData) {
        h.engine.RefreshPhonebook();
        h.clock.RunFor(60000);
        mark = h.CommandCount();
    }
    std::vector<std::string> CommandsSinceRead() { return h.Commands(mark); }
    bool PhoneHas(const std::string& memory, int position) {
        return h.phone().State().phonebooks[memory].entries.count(position) == 1;
    }
    bool ListHas(const std::string& location, const std::string& position) {
        const auto& list = h.state().Phonebook.PhonebookList;
        return std::any_of(list.begin(), list.end(), [&](const AListIme& e) {
            return e.Location == location && e.Position == position;
        });
    }
    void Run() { h.clock.RunFor(5000); }
    SimPhoneRig h;
    std::size_t mark = 0;
};

// Ivo, 0911, at position 2 or 3 of a memory.
PhonebookEntryValues Ivo(PhoneMemory memory, const char* position) {
    return {memory, position, "Ivo", "0911"};
}

bool Sent(const std::vector<std::string>& commands, const std::string& prefix) {
    return std::any_of(commands.begin(), commands.end(),
                       [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

// ------------------------------------------------------------ phonebook

TEST(PhonebookEntryOps, MoveWritesTheTargetBeforeDeletingTheOldPosition) {
    ReadPhone p;
    p.h.engine.MovePhonebookEntry(PhoneMemory::Sim, "005", Ivo(PhoneMemory::Phone, "002"));
    p.Run();
    EXPECT_THAT(p.CommandsSinceRead(), ElementsAre("AT+CPBS=\"ME\"", "AT+CPBW=2,\"0911\",,\"Ivo\"",
                                                   "AT+CPBS=\"SM\"", "AT+CPBW=5"));
    EXPECT_TRUE(p.PhoneHas("ME", 2));
    EXPECT_FALSE(p.PhoneHas("SM", 5));
    EXPECT_TRUE(p.ListHas("Mobile memory", "002"));
    EXPECT_FALSE(p.ListHas("SIM card", "005"));
    EXPECT_THAT(p.h.host.statusMessages,
                Contains("Entry succesfully moved to another location in mobile!"));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(p.h.state().Phonebook.Op));
}

TEST(PhonebookEntryOps, MoveWhoseWriteFailsKeepsTheEntryWhereItWas) {
    ReadPhone p;
    p.h.phone().AddFault({.command = "AT+CPBW=2", .result = "ERROR"});
    p.h.engine.MovePhonebookEntry(PhoneMemory::Sim, "005", Ivo(PhoneMemory::Phone, "002"));
    p.Run();
    EXPECT_FALSE(Sent(p.CommandsSinceRead(), "AT+CPBW=5"));
    EXPECT_TRUE(p.PhoneHas("SM", 5));
    EXPECT_TRUE(p.ListHas("SIM card", "005"));
    EXPECT_FALSE(p.ListHas("Mobile memory", "002"));
    ASSERT_EQ(p.h.host.dialogs.size(), 1u);
    EXPECT_EQ(p.h.host.dialogs[0].text, kWriteFailed);
}

TEST(PhonebookEntryOps, MoveWhoseDeleteFailsKeepsBothCopies) {
    ReadPhone p;
    p.h.phone().AddFault({.command = "AT+CPBW=5", .result = "ERROR"});
    p.h.engine.MovePhonebookEntry(PhoneMemory::Sim, "005", Ivo(PhoneMemory::Phone, "002"));
    p.Run();
    EXPECT_TRUE(p.PhoneHas("SM", 5) && p.PhoneHas("ME", 2));
    EXPECT_TRUE(p.ListHas("SIM card", "005") && p.ListHas("Mobile memory", "002"));
    ASSERT_EQ(p.h.host.dialogs.size(), 1u);
    EXPECT_EQ(p.h.host.dialogs[0].text, kWriteFailed);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(p.h.state().Phonebook.Op));
}

TEST(PhonebookEntryOps, MoveOntoItsOwnPositionIsOneWrite) {
    ReadPhone p;
    p.h.engine.MovePhonebookEntry(PhoneMemory::Sim, "5",
                                  {PhoneMemory::Sim, "005", "Posao", "+38512345678"});
    p.Run();
    EXPECT_THAT(p.CommandsSinceRead(),
                ElementsAre("AT+CPBS=\"SM\"", "AT+CPBW=5,\"+38512345678\",,\"Posao\""));
    EXPECT_TRUE(p.PhoneHas("SM", 5));
    EXPECT_THAT(p.h.host.statusMessages, Contains("Entry succesfully saved in mobile phonebook!"));
}

// A failed write or delete, refused with "ERROR" or a code, at the memory
// selection or at the command itself: reported once and dropped, so the
// next full read writes and deletes nothing.
TEST(PhonebookEntryOps, FailedWriteOrDeleteLeavesNothingPending) {
    for (const char* failing : {"AT+CPBS", "AT+CPBW"}) {
        for (const char* result : {"ERROR", "+CME ERROR: 21"}) {
            for (bool del : {false, true}) {
                SCOPED_TRACE(std::string(failing) + " " + result + (del ? " delete" : " write"));
                ReadPhone p;
                p.h.phone().AddFault({.command = failing, .result = result});
                if (del) p.h.engine.DeletePhonebookEntry(PhoneMemory::Sim, "005");
                else p.h.engine.SavePhonebookEntry(Ivo(PhoneMemory::Sim, "003"));
                p.Run();
                ASSERT_EQ(p.h.host.dialogs.size(), 1u);
                if (std::string(result) == "ERROR") {
                    EXPECT_EQ(p.h.host.dialogs[0].text, kWriteFailed);
                }
                EXPECT_THAT(p.h.host.statusMessages, IsEmpty());
                EXPECT_TRUE(std::holds_alternative<std::monostate>(p.h.state().Phonebook.Op));

                const auto before = p.h.CommandCount();
                p.h.engine.RefreshPhonebook();
                p.h.clock.RunFor(60000);
                EXPECT_FALSE(Sent(p.h.Commands(before), "AT+CPBW"));
                EXPECT_TRUE(p.PhoneHas("SM", 5));
                EXPECT_FALSE(p.PhoneHas("SM", 3));
            }
        }
    }
}

TEST(PhonebookEntryOps, RequestsThePhoneCannotTakeSendNothing) {
    ReadPhone p;
    p.h.engine.DeletePhonebookEntry(PhoneMemory::Service, "1");
    p.h.engine.SavePhonebookEntry(Ivo(PhoneMemory::Service, "002"));
    p.h.engine.MovePhonebookEntry(PhoneMemory::Service, "1", Ivo(PhoneMemory::Sim, "002"));
    // A number without a number character, and a position the phone has not.
    p.h.engine.SavePhonebookEntry({PhoneMemory::Sim, "002", "Ivo", "abc"});
    p.h.engine.SavePhonebookEntry(Ivo(PhoneMemory::Sim, "0"));
    p.h.engine.DeletePhonebookEntry(PhoneMemory::Sim, "x");
    p.Run();
    EXPECT_THAT(p.CommandsSinceRead(), IsEmpty());
    ASSERT_EQ(p.h.host.dialogs.size(), 6u);
    EXPECT_EQ(p.h.host.dialogs[0].text, "Cannot delete service numbers!");
    EXPECT_EQ(p.h.host.dialogs[1].text, "Cannot edit service numbers!");
    EXPECT_EQ(p.h.host.dialogs[2].text, "Cannot change location for service numbers");
    EXPECT_EQ(p.h.host.dialogs[3].text, kWriteFailed);
}

// ------------------------------------------------------------------ calls

TEST(CallOps, DialOpensTheCallWindowUntilNoCarrier) {
    SimPhoneRig h;
    std::vector<std::string> inCall;
    bool dialButtonInCall = true;
    h.host.onTalkingWindow = [&] {
        // The window is modal: the call goes on inside it.
        dialButtonInCall = h.host.dialButtonEnabled;
        const auto mark = h.CommandCount();
        h.engine.SendDtmfTone("5", 3);
        h.clock.RunFor(1000);
        h.engine.SendDtmfTones("12#");
        h.clock.RunFor(1000);
        inCall = h.Commands(mark);
        h.phone().RemoteHangup(h.clock.NowMs());
        h.clock.RunFor(1000);
    };
    h.engine.Dial("Ana", "+385911234567", false);
    h.clock.RunFor(2000);
    EXPECT_THAT(h.Commands(), Contains("ATD+385911234567;"));
    ASSERT_EQ(h.host.talkingWindows.size(), 1u);
    EXPECT_EQ(h.host.talkingWindows[0].name, "Ana");
    EXPECT_EQ(h.host.talkingWindows[0].number, "+385911234567");
    EXPECT_FALSE(dialButtonInCall);
    EXPECT_THAT(inCall, ElementsAre("AT+VTS=5,3", "AT+VTS=\"12#\""));
    EXPECT_EQ(h.host.talkingWindowCloses, 1);
    EXPECT_FALSE(h.state().Call.InCall);
    EXPECT_TRUE(h.host.dialButtonEnabled);
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

TEST(CallOps, AnsweredCallShowsTheCallerAndHangUpEndsIt) {
    SimPhoneRig h;
    h.host.onTalkingWindow = [&] {
        h.engine.HangUp();
        h.clock.RunFor(1000);
    };
    h.phone().IncomingCall(h.clock.NowMs(), "0911", 129);
    h.clock.RunFor(500);
    h.engine.AnswerCall("Ivo", "0911");
    h.clock.RunFor(2000);
    EXPECT_THAT(h.Commands(), ElementsAre("ATA", "AT+CHUP"));
    ASSERT_EQ(h.host.talkingWindows.size(), 1u);
    EXPECT_EQ(h.host.talkingWindows[0].name, "Ivo");
    EXPECT_EQ(h.host.talkingWindowCloses, 1);
    EXPECT_THAT(h.host.statusMessages, Contains("Disconnected!"));
    EXPECT_EQ(h.state().Indicators.NewCallPhase, 3);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(CallOps, BalanceCodesOpenTheBalanceWindowWithThePhonesText) {
    auto state = phonesim::MakeDefaultState();
    state.ussd["*100#"] = "\"Na racunu imate 12.50 kn\"";
    SimPhoneRig h(state);
    h.engine.Dial("", "*101#", false);
    h.clock.RunFor(2000);
    h.engine.Dial("", "*100#", false);
    h.clock.RunFor(2000);
    ASSERT_EQ(h.host.balanceWindows.size(), 2u);
    EXPECT_EQ(h.host.balanceWindows[0].caption, "VIPme saldo");
    EXPECT_EQ(h.host.balanceWindows[0].balance, "45,20 kn");
    EXPECT_EQ(h.host.balanceWindows[1].caption, "SIMPA kredit");
    EXPECT_EQ(h.host.balanceWindows[1].balance, "12.50 kn");
    EXPECT_THAT(h.host.talkingWindows, IsEmpty());
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(CallOps, NumbersAndTonesOutsideTheirCharactersNeverReachThePhone) {
    SimPhoneRig h;
    h.engine.Dial("", "0911\";ATZ", false);
    h.engine.Dial("", "0911;", false);
    h.engine.Dial("", "", false);
    h.engine.SetSmsCentre("+385\"");
    h.engine.SendDtmfTones("12E");
    h.engine.SendDtmfTones("1\"");
    h.engine.SendDtmfTone("12", 1);
    h.engine.SendDtmfTone("1", 0);
    h.clock.RunFor(1000);
    EXPECT_THAT(h.Commands(), IsEmpty());
    ASSERT_EQ(h.host.dialogs.size(), 8u);
    EXPECT_EQ(h.host.dialogs[0].text.rfind("Invalid phone number!", 0), 0u);
    EXPECT_EQ(h.host.dialogs[4].text.rfind("Invalid DTMF tones!", 0), 0u);
    // Hiding the own number puts the network's code in front; the call
    // window shows the number as dialled.
    h.engine.Dial("", "0911", true);
    h.clock.RunFor(1000);
    EXPECT_THAT(h.Commands(), ElementsAre("ATD#31#0911;"));
    ASSERT_EQ(h.host.talkingWindows.size(), 1u);
    EXPECT_EQ(h.host.talkingWindows[0].number, "0911");
}

// ------------------------------------------------- fixed texts of each row

struct Row {
    const char* command;  // the line the phone refuses
    std::function<void(SimPhoneRig&)> start;
    const char* success;  // status text on "OK" (nullptr: none)
    const char* failure;  // message-box text on "ERROR"
    const char* caption = "Error";
};

std::vector<Row> Rows() {
    return {
        {"ATD", [](SimPhoneRig& h) { h.engine.Dial("", "0911", false); }, nullptr,
         "Error occured while trying to\rdial phone number!"},
        {"ATA",
         [](SimPhoneRig& h) {
             h.phone().IncomingCall(h.clock.NowMs(), "0911", 129);
             h.engine.AnswerCall("", "0911");
         },
         nullptr, "Error occured while trying to\ranswer to call!"},
        {"AT+CHUP", [](SimPhoneRig& h) { h.engine.HangUp(); }, "Disconnected!",
         "Error occured while trying to hang up!\r\rTry again?"},
        {"AT+VTS",
         [](SimPhoneRig& h) {
             h.engine.Dial("", "0911", false);
             h.clock.RunFor(500);
             h.engine.SendDtmfTones("1");
         },
         nullptr, "Error occured while trying to\rsend DTMF tones!"},
        {"AT^SDLD", [](SimPhoneRig& h) { h.engine.DeleteDialledCalls(); },
         "All dialled calls succesfully deleted from mobile!",
         "Error occured while trying to\rdelete dialled calls!\r\rTry again?"},
        {"AT^SMSO", [](SimPhoneRig& h) { SendAtSmso(h.ctx()); }, nullptr,
         "Error occurred while trying\rto turn off mobile!\r\rTry again?", "Mobile turn off"},
        {"AT+CCLK=",
         [](SimPhoneRig& h) {
             h.engine.SetPhoneClock(std::chrono::local_days{std::chrono::year{2005} / 3 / 15} +
                                    std::chrono::hours{9});
         },
         "Date and time succesfully saved in mobile!",
         "Error occured while trying to\rsave date and time in mobile!"},
        {"AT+CSCA=", [](SimPhoneRig& h) { h.engine.SetSmsCentre("+385910401"); },
         "Phone number of SMS center succesfully saved!",
         "Error occurred while trying to set\rphone number of SMS center in mobile!"},
        {"AT+CALM=", [](SimPhoneRig& h) { h.engine.SetAlertSound(AlertSound::ShortTone); },
         "Alert sound succesfully set!",
         "Error occured while trying to\rset alert sound mode in mobile!"},
        {"AT+CVIB=", [](SimPhoneRig& h) { h.engine.SetVibration(true); },
         "Vibration alert succesfully set!", "Error occured while trying to\rset vibration alert!"},
        {"AT+CRSL=", [](SimPhoneRig& h) { h.engine.SetSpeakerVolume(4); },
         "Speaker volume succesfully set!",
         "Error occured while trying to\rset speaker level in mobile!"},
        {"AT+CPUC=", [](SimPhoneRig& h) { h.engine.SetPricePerUnit("HRK", "0.90", "5678"); },
         "Price per unit succesfully set!",
         "Error occured while trying to\rset price per unit in mobile!"},
        {"AT+CPBW",
         [](SimPhoneRig& h) { h.engine.SavePhonebookEntry(Ivo(PhoneMemory::Sim, "002")); },
         "Entry succesfully saved in mobile phonebook!", kWriteFailed},
    };
}

TEST(FixedTexts, EachCommandReportsItsSuccessAndItsFailure) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.command);
        {
            SimPhoneRig h(phonesim::MakeDefaultState(), kWithData);
            row.start(h);
            h.clock.RunFor(3000);
            EXPECT_THAT(h.host.dialogs, IsEmpty());
            if (row.success) {
                EXPECT_THAT(h.host.statusMessages, Contains(row.success));
            }
            EXPECT_TRUE(h.host.mainWindowTakesInput);
        }
        SimPhoneRig h(phonesim::MakeDefaultState(), kWithData);
        h.phone().AddFault({.command = row.command, .result = "ERROR"});
        h.host.onMessageDialog = [](const testing::RecordedDialog&) { return DialogResult::No; };
        row.start(h);
        h.clock.RunFor(3000);
        ASSERT_EQ(h.host.dialogs.size(), 1u);
        EXPECT_EQ(h.host.dialogs[0].caption, row.caption);
        EXPECT_EQ(h.host.dialogs[0].text, row.failure);
        if (row.success) {
            EXPECT_THAT(h.host.statusMessages, Not(Contains(row.success)));
        }
        EXPECT_TRUE(h.host.mainWindowTakesInput);
    }
}

TEST(FixedTexts, RetriedCommandIsSentAgainOnYes) {
    SimPhoneRig h;
    h.phone().AddFault({.command = "AT^SDLD", .result = "ERROR"});
    h.engine.DeleteDialledCalls();
    h.clock.RunFor(3000);
    EXPECT_THAT(h.Commands(), ElementsAre("AT^SDLD", "AT^SDLD"));
    EXPECT_EQ(h.host.dialledCallsDeletions, 1);
    EXPECT_TRUE(h.phone().State().phonebooks["LD"].entries.empty());
}

TEST(FixedTexts, SmsCentreIsReadBackAfterItsSetting) {
    SimPhoneRig h;
    for (bool fails : {false, true}) {
        if (fails) h.phone().AddFault({.command = "AT+CSCA=", .result = "ERROR"});
        const auto mark = h.CommandCount();
        h.engine.SetSmsCentre("+385910402");
        h.clock.RunFor(5000);
        const auto commands = h.Commands(mark);
        ASSERT_GE(commands.size(), 2u);
        EXPECT_EQ(commands[1], "AT+CSCA?");
    }
}

}  // namespace
}  // namespace parlenko
