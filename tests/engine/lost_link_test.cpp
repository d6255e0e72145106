// The cable pulled (the device gone) in the middle of an operation, at each
// of its commands: the hang-up reaches the engine when it happens, and the
// operation ends at once with one message, "Communication error!" naming the
// device, its list as before it and nothing from the time-out after it.
// Pulled while nothing runs, the next command's write tells it, once.
// Whatever an operation leaves waiting ends with the connection as it ends
// at the time-out.

#include "tests/support/operation_table.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko::testing {
namespace {

constexpr char kGone[] = ": the device is gone (unplugged or switched off).";

TEST(LostLink, EveryOperationPulledAtEachCommandEndsAtOnceWithOneMessage) {
    for (const PhoneOperation& op : PhoneOperations()) {
        const std::size_t commands = CommandsOf(op).size();
        ASSERT_GT(commands, 0u) << op.name;
        for (std::size_t k = 0; k < commands; ++k) {
            const std::string what = op.name + ", pulled at command " + std::to_string(k + 1);
            ConnectedPhone t;
            if (op.prepare) op.prepare(t);
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
    ConnectedPhone t;
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
        ConnectedPhone t;
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
