// The receive handler against the simulated phone, over the real port driver.
#include "tests/support/engine_inside.h"
#include "tests/support/engine_rig.h"
#include "engine/session/connect_commands.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

using testing::SimPhoneRig;

TEST(ReceiveWithPhone, IncomingCallNoticeShowsThePhonebookNameUntilHangup) {
    SimPhoneRig h;
    EngineInside::State(h.engine).Phonebook.PhonebookList = {
        {"Ana!", "+385911234567", "SM", "001"}};
    SendAtClip(EngineInside::Context(h.engine));
    h.clock.RunFor(1000);

    h.phone().IncomingCall(h.clock.NowMs(), "+385911234567", 145);
    h.clock.RunFor(1000);
    ASSERT_FALSE(h.host.newCallNotices.empty());
    EXPECT_EQ(h.host.newCallNotices.back().name, "Ana");
    EXPECT_EQ(h.host.newCallNotices.back().number, "+385911234567");
    EXPECT_TRUE(h.host.newCallNoticeVisible);
    EXPECT_EQ(EngineInside::State(h.engine).Indicators.NewCallHint,
              "You got new call(s)!\rTo view calls, click here.");

    // The phone rings again (RING, +CLIP): the notice keeps the caller.
    h.clock.RunFor(5000);
    for (const auto& n : h.host.newCallNotices) EXPECT_EQ(n.name, "Ana");

    h.phone().RemoteHangup(h.clock.NowMs());
    h.clock.RunFor(1000);
    EXPECT_FALSE(h.host.newCallNoticeVisible);
    ASSERT_FALSE(h.host.statusMessages.empty());
    EXPECT_EQ(h.host.statusMessages.back(), "Disconnected!");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(ReceiveWithPhone, WithoutCallerIdTheCallerIsUnknown) {
    SimPhoneRig h;
    h.phone().IncomingCall(h.clock.NowMs(), "0911", 129);
    h.clock.RunFor(1000);
    ASSERT_EQ(h.host.newCallNotices.size(), 1u);
    EXPECT_EQ(h.host.newCallNotices[0].name, "Unknown");
    EXPECT_EQ(h.host.newCallNotices[0].number, "Hidden");
}

}  // namespace
}  // namespace parlenko
