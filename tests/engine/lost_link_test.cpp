// The cable pulled (the device gone) in the middle of an operation, at each
// of its commands: the hang-up reaches the engine when it happens, and the
// operation ends at once with one message, "Communication error!" naming the
// device, its list as before it and nothing from the time-out after it.
// Pulled while nothing runs, the next command's write tells it, once.
// Whatever an operation leaves waiting ends with the connection as it ends
// at the time-out.

#include "engine/text/vcalendar.h"
#include "tests/support/engine_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace parlenko::testing {
namespace {

constexpr char kGone[] = ": the device is gone (unplugged or switched off).";

// Connected, the phonebook and messages read, answering 30 ms late.
struct Connected : SimPhoneRig {
    Connected()
        : SimPhoneRig(phonesim::MakeDefaultState(),
                      {.dataFolder = true, .phone = {.answerDelayMs = 30}}) {
        state().Options.GeneralPageShown = false;
        state().Chain.PhoneModel = "S45";
        Connect();
        engine.RefreshPhonebook();
        clock.RunUntil([this] { return host.phonebookSorts > 0; }, 60000);
        engine.RefreshSms();
        clock.RunUntil([this] { return !state().Sms.FullReadRunning; }, 60000);
        engine.ReadMelodies();
        clock.RunFor(3000);
        host.dialogs.clear();
        host.statusMessages.clear();
    }
};

struct Operation {
    std::string name;
    std::function<void(Connected&)> start;
};

std::vector<Operation> Operations() {
    const ComposedSms message{.Number = "0911234567", .Text = "Dolazim"};
    VCalendarEntry entry;
    entry.Text = std::string(240, 'b');  // three packets
    entry.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                             std::chrono::day{14}};
    const PhonebookEntryValues ivo{PhoneMemory::Phone, "009", "Ivo", "0911"};
    return {
        {"phonebook read", [](Connected& t) { t.engine.RefreshPhonebook(); }},
        {"call lists read", [](Connected& t) { t.engine.RefreshCalls(); }},
        {"SMS read", [](Connected& t) { t.engine.RefreshSms(); }},
        {"appointment read", [](Connected& t) { t.engine.RefreshAppointments(); }},
        {"entry write", [ivo](Connected& t) { t.engine.SavePhonebookEntry(ivo); }},
        {"entry move",
         [ivo](Connected& t) { t.engine.MovePhonebookEntry(PhoneMemory::Sim, "001", ivo); }},
        {"entry delete",
         [](Connected& t) { t.engine.DeletePhonebookEntry(PhoneMemory::Sim, "001"); }},
        {"SMS send", [message](Connected& t) { t.engine.SendSms(message); }},
        {"SMS store", [message](Connected& t) { t.engine.StoreSms(message); }},
        {"SMS delete", [](Connected& t) { t.engine.DeleteSms(PhoneMemory::Sim, "01"); }},
        {"appointment upload", [entry](Connected& t) { t.engine.SaveAppointment(entry, 2, true); }},
        {"melody upload", [](Connected& t) { t.engine.UploadMelody(std::string(400, 'm'), 1); }},
        {"logo upload", [](Connected& t) { t.engine.UploadLogo("BM" + std::string(400, 'l'), 0); }},
        {"melody play", [](Connected& t) { t.engine.PlayMelody(5, 2); }},
        {"divert set", [](Connected& t) { t.engine.SetDivert(0, "0911234567", 1, "", true); }},
        {"lock check", [](Connected& t) { t.engine.CheckLocks(); }},
        {"restore",
         [](Connected& t) {
             t.engine.StartRestore({{PhoneMemory::Sim, "Ana", "0911", false},
                                    {PhoneMemory::Sim, "Ivo", "0922", false}},
                                   RestoreMode::FreePositions);
         }},
    };
}

// The commands the operation writes on a phone that never fails.
std::size_t CommandsOf(const Operation& op) {
    Connected t;
    const auto from = t.CommandCount();
    op.start(t);
    t.clock.RunFor(30000);
    return t.Commands(from).size();
}

TEST(LostLink, EveryOperationPulledAtEachCommandEndsAtOnceWithOneMessage) {
    for (const Operation& op : Operations()) {
        const std::size_t commands = CommandsOf(op);
        ASSERT_GT(commands, 0u) << op.name;
        for (std::size_t k = 0; k < commands; ++k) {
            const std::string what = op.name + ", pulled at command " + std::to_string(k + 1);
            Connected t;
            const auto phonebookRows = t.host.phonebookRows.size();
            const auto smsRows = t.host.SmsRows(SmsFolder::Incoming).size();
            const auto from = t.CommandCount();
            op.start(t);
            ASSERT_TRUE(t.clock.RunUntil([&] { return t.CommandCount() > from + k; }, 30000))
                << what;
            t.device.Unplug();
            const auto pulled = t.clock.NowMs();
            ASSERT_TRUE(t.clock.RunUntil([&] { return !t.host.dialogs.empty(); }, 30000)) << what;
            EXPECT_LE(t.clock.NowMs() - pulled, 2000) << what;
            t.clock.RunFor(30000);
            ASSERT_EQ(t.host.dialogs.size(), 1u) << what << ": " << t.host.dialogs.back().text;
            EXPECT_EQ(t.host.dialogs[0].caption, "Communication error!") << what;
            EXPECT_TRUE(t.host.dialogs[0].text.ends_with(kGone))
                << what << ": " << t.host.dialogs[0].text;
            EXPECT_FALSE(t.port.Connected()) << what;
            EXPECT_FALSE(t.host.progressVisible) << what;
            EXPECT_TRUE(t.host.mainWindowTakesInput) << what;
            // A read's list shows what it showed before.
            EXPECT_EQ(t.host.phonebookRows.size(), phonebookRows) << what;
            EXPECT_EQ(t.host.SmsRows(SmsFolder::Incoming).size(), smsRows) << what;
        }
    }
}

TEST(LostLink, PulledWhileNothingRunsIsToldByTheNextCommand) {
    Connected t;
    t.clock.RunFor(15000);  // the last exchange's time-out is over
    t.device.Unplug();
    t.clock.RunFor(30000);
    EXPECT_TRUE(t.host.dialogs.empty());
    t.engine.RefreshPhonebook();
    t.clock.RunFor(30000);
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].caption, "Communication error!");
    EXPECT_FALSE(t.port.Connected());
}

// An upload's guard and a melody request end with the connection as at the
// time-out: after the next connect, a logo read is no upload's last step and
// the ringer's restore plays nothing.
TEST(LostLink, WhatWaitedForAnAnswerEndsWithTheConnection) {
    for (const bool pulled : {false, true}) {
        Connected t;
        const auto lose = [&] {
            if (pulled) t.device.Unplug();
            else t.engine.Disconnect();
            t.clock.RunFor(2000);
            t.device.PlugIn();
            t.host.dialogs.clear();
            // Connected again (a phone left waiting for a packet is freed by
            // the reset's time-out first); the next action follows the
            // connect chain's end at once, well before any time-out.
            const auto from = t.CommandCount();
            t.Connect(0);
            ASSERT_TRUE(t.clock.RunUntil(
                [&] {
                    const auto c = t.Commands(from);
                    return !c.empty() && c.back() == "AT+CSCB=1" &&
                           t.state().Receive.CommandInFlight.empty();
                },
                30000));
        };
        ASSERT_TRUE(t.engine.UploadLogo("BM" + std::string(400, 'l'), 0));
        ASSERT_TRUE(t.clock.RunUntil([&] { return t.phone().InBody(); }, 5000));
        lose();
        t.phone().State().objects["bmp"].objects[0] = "BM" + std::string(60, 'o');
        t.engine.ReadLogo(0);
        t.clock.RunFor(3000);
        for (const auto& s : t.host.statusMessages)
            EXPECT_NE(s, "Logo succesfully saved in mobile!") << pulled;

        ASSERT_TRUE(t.engine.PlayMelody(5, 2));
        ASSERT_TRUE(
            t.clock.RunUntil([&] { return !t.state().Receive.CommandInFlight.empty(); }, 5000));
        lose();
        const auto from = t.CommandCount();
        // The melody page is shown again: the ringer as kept is restored.
        t.engine.ReadMelodies();
        t.clock.RunFor(3000);
        for (const auto& c : t.Commands(from)) EXPECT_NE(c, "AT^SRTC") << pulled;
        EXPECT_TRUE(t.host.dialogs.empty()) << pulled;
    }
}

}  // namespace
}  // namespace parlenko::testing
