#include "engine/core/loop_scheduler.h"
#include "engine/core/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <vector>

namespace parlenko {
namespace {

TEST(VirtualScheduler, FiresDueTimersInOrderOfDueTime) {
    VirtualScheduler s;
    std::vector<std::pair<char, std::int64_t>> log;
    auto a = s.MakeTimer(30, [&] { log.push_back({'a', s.NowMs()}); });
    auto b = s.MakeTimer(20, [&] { log.push_back({'b', s.NowMs()}); });
    a->Start();
    b->Start();
    s.RunFor(65);
    std::vector<std::pair<char, std::int64_t>> want{
        {'b', 20}, {'a', 30}, {'b', 40}, {'a', 60}, {'b', 60}};
    EXPECT_EQ(log, want);
    EXPECT_EQ(s.NowMs(), 65);
}

TEST(VirtualScheduler, SleepCoalescesMissedTicks) {
    VirtualScheduler s;
    int ticks = 0;
    auto t = s.MakeTimer(50, [&] { ++ticks; });
    t->Start();
    s.Sleep(500);  // the loop is blocked: ten intervals pass
    s.ProcessPendingEvents();
    EXPECT_EQ(ticks, 1);
    s.RunFor(49);
    EXPECT_EQ(ticks, 1);
    s.RunFor(1);
    EXPECT_EQ(ticks, 2);
}

TEST(VirtualScheduler, StartRestartsTheInterval) {
    VirtualScheduler s;
    int ticks = 0;
    auto t = s.MakeTimer(10000, [&] { ++ticks; });
    t->Start();
    s.RunFor(9999);
    t->Start();  // a new chunk arrived
    s.RunFor(9999);
    EXPECT_EQ(ticks, 0);
    s.RunFor(1);
    EXPECT_EQ(ticks, 1);
}

TEST(VirtualScheduler, TimerMayStopOrDestroyItselfInsideItsTick) {
    VirtualScheduler s;
    int ticks = 0;
    std::unique_ptr<ITimer> t;
    t = s.MakeTimer(5, [&] {
        ++ticks;
        t.reset();
    });
    t->Start();
    s.RunFor(100);
    EXPECT_EQ(ticks, 1);
}

TEST(VirtualScheduler, NestedLoopInsideATickKeepsOtherTimersRunning) {
    VirtualScheduler s;
    int polls = 0;
    bool inModal = false;
    int pollsInsideModal = 0;
    auto poll = s.MakeTimer(50, [&] {
        ++polls;
        if (inModal) ++pollsInsideModal;
    });
    std::unique_ptr<ITimer> modal;
    modal = s.MakeTimer(100, [&] {
        modal->Stop();
        inModal = true;
        s.RunFor(500);  // a message box's loop
        inModal = false;
    });
    poll->Start();
    modal->Start();
    s.RunFor(120);
    EXPECT_GE(pollsInsideModal, 9);
}

TEST(VirtualScheduler, PostedWorkRunsInOrder) {
    VirtualScheduler s;
    std::vector<int> order;
    s.Post([&] {
        order.push_back(1);
        s.Post([&] { order.push_back(3); });
    });
    s.Post([&] { order.push_back(2); });
    s.ProcessPendingEvents();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(VirtualScheduler, RunUntilStopsWhenThePredicateHolds) {
    VirtualScheduler s;
    int ticks = 0;
    auto t = s.MakeTimer(10, [&] { ++ticks; });
    t->Start();
    EXPECT_TRUE(s.RunUntil([&] { return ticks == 3; }, 1000));
    EXPECT_EQ(s.NowMs(), 30);
    EXPECT_FALSE(s.RunUntil([] { return false; }, 100));
    EXPECT_EQ(s.NowMs(), 130);
}

TEST(LoopScheduler, RunsTimersInRealTime) {
    LoopScheduler s;
    int ticks = 0;
    auto t = s.MakeTimer(5, [&] { ++ticks; });
    t->Start();
    EXPECT_TRUE(s.RunUntil([&] { return ticks >= 2; }, 2000));
    EXPECT_GE(s.NowMs(), 10);
}

}  // namespace
}  // namespace parlenko
