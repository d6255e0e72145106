// The engine's timers on the Qt loop, and the serial poll across a message
// box opened from inside the receive handler.

#include "ui/base/qt_scheduler.h"

#include "engine/serial/serial_port_driver.h"
#include "tests/support/fake_serial_device.h"
#include "tests/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Pump;
using testing::PumpUntil;

class QtSchedulerTest : public ::testing::Test {
protected:
    void SetUp() override { testing::App(); }
    QtScheduler sched;
};

TEST_F(QtSchedulerTest, TicksRepeatUntilStoppedAndStartRestartsTheInterval) {
    int ticks = 0;
    auto timer = sched.MakeTimer(20, [&] { ++ticks; });
    EXPECT_FALSE(timer->IsActive());
    Pump(60);
    EXPECT_EQ(ticks, 0) << "a new timer is stopped";
    timer->Start();
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 2000));
    timer->Stop();
    const int stoppedAt = ticks;
    Pump(80);
    EXPECT_EQ(ticks, stoppedAt);

    // A restart before the interval is over puts the tick off again.
    timer->SetInterval(400);
    timer->Start();
    const auto start = sched.NowMs();
    for (int i = 0; i < 4; ++i) {
        Pump(50);
        timer->Start();
    }
    EXPECT_EQ(ticks, stoppedAt) << "restarted every 50 ms, a 400 ms timer never ticks";
    ASSERT_TRUE(PumpUntil([&] { return ticks > stoppedAt; }, 2000));
    EXPECT_GE(sched.NowMs() - start, 550);
}

TEST_F(QtSchedulerTest, TicksThatFallDueWhileTheLoopIsBusyCoalesce) {
    int ticks = 0;
    auto timer = sched.MakeTimer(50, [&] { ++ticks; });
    timer->Start();
    sched.Sleep(400);  // a plain sleep dispatches nothing
    EXPECT_EQ(ticks, 0);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1) << "eight intervals passed while busy: one tick, not eight";
}

TEST_F(QtSchedulerTest, ATimerMayBeDestroyedFromItsOwnTick) {
    int ticks = 0;
    std::unique_ptr<ITimer> timer;
    timer = sched.MakeTimer(5, [&] {
        ++ticks;
        timer.reset();
    });
    timer->Start();
    ASSERT_TRUE(PumpUntil([&] { return ticks == 1; }, 1000));
    Pump(40);
    EXPECT_EQ(ticks, 1);
}

TEST_F(QtSchedulerTest, ProcessPendingEventsRunsAPostedTick) {
    int ticks = 0;
    auto timer = sched.MakeTimer(5, [&] { ++ticks; });
    timer->Start();
    sched.Sleep(20);
    sched.ProcessPendingEvents();
    EXPECT_EQ(ticks, 1) << "one call fires the due timer and runs its tick";
}

// The receive handler shows a message box for the first chunk; while the box
// is open the phone sends a second chunk, which the poll must still hand over
// (a nested call), and only then is the box answered.
TEST_F(QtSchedulerTest, AWatchedDescriptorCallsOnceForWhatWaitsAndAgainForMore) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int calls = 0;
    std::string got;
    auto watch = sched.WatchReadable(fds[0], [&] {
        ++calls;
        char buf[64];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    });
    ASSERT_NE(watch, nullptr);
    ASSERT_EQ(::write(fds[1], "AT", 2), 2);
    ASSERT_EQ(::write(fds[1], "\r", 1), 1);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }, 2000));
    Pump(50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(got, "AT\r");
    ASSERT_EQ(::write(fds[1], "OK", 2), 2);
    ASSERT_TRUE(PumpUntil([&] { return calls == 2; }, 2000));
    EXPECT_EQ(got, "AT\rOK");
    // Ended from inside its own call: nothing runs afterwards.
    watch = sched.WatchReadable(fds[0], [&] {
        ++calls;
        watch.reset();
    });
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    ASSERT_TRUE(PumpUntil([&] { return calls == 3; }, 2000));
    Pump(50);
    EXPECT_EQ(calls, 3);
    ::close(fds[0]);
    ::close(fds[1]);
}

// The port driver's poll tick is a posted call; the glib loop runs posted
// calls before it reports descriptors, so in one pass the tick may read the
// bytes the loop's poll saw before the watch gets its turn. The watch then
// finds nothing to read, but must stay armed: the next bytes are reported at
// once, not left to the next tick.
TEST_F(QtSchedulerTest, AWatchStaysArmedWhenItsBytesWereReadBeforeItsTurn) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);
    auto drain = [&] {
        char buf[64];
        while (::read(fds[0], buf, sizeof buf) > 0) {}
    };
    int calls = 0;
    auto watch = sched.WatchReadable(fds[0], [&] {
        ++calls;
        drain();
    });
    ASSERT_NE(watch, nullptr);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(::write(fds[1], "OK", 2), 2);
        QMetaObject::invokeMethod(QCoreApplication::instance(), drain, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        drain();
        const int before = calls;
        ASSERT_EQ(::write(fds[1], "RING", 4), 4);
        ASSERT_TRUE(PumpUntil([&] { return calls > before; }, 1000)) << "round " << round;
    }
    watch.reset();
    ::close(fds[0]);
    ::close(fds[1]);
}

// The far end hangs up (a pulled cable): the watch calls once, at once, so
// that the port driver finds the device gone; it does not call again.
TEST_F(QtSchedulerTest, AHangUpCallsTheWatchOnce) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int calls = 0;
    auto watch = sched.WatchReadable(fds[0], [&] { ++calls; });
    ASSERT_NE(watch, nullptr);
    ::close(fds[1]);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }, 2000));
    Pump(100);
    EXPECT_EQ(calls, 1);
    watch.reset();
    ::close(fds[0]);
}

TEST_F(QtSchedulerTest, PollingGoesOnWhileAMessageBoxOpenedByTheReceiveHandlerIsUp) {
    parlenko::testing::FakeSerialDevice device;
    TSerialPortDriver port(device, sched);
    std::vector<std::string> chunks;
    std::vector<bool> boxOpenAtChunk;
    bool boxOpen = false;
    port.SetOnReceiveData([&](const std::uint8_t* data, std::size_t size) {
        chunks.emplace_back(reinterpret_cast<const char*>(data), size);
        boxOpenAtChunk.push_back(boxOpen);
        if (chunks.size() == 1) {
            boxOpen = true;
            ShowMessageDialog(nullptr, std::string("Error"), std::string("first chunk"),
                              DialogKind::Error, DialogButtons::Ok);
            boxOpen = false;
        }
    });
    ASSERT_TRUE(port.Connect());

    bool delivered = false;
    bool secondSeenWhileOpen = false;
    DialogWatcher watcher([&](TMessageDialog& box) {
        device.Deliver("+CMTI: \"SM\",3\r\n");
        delivered = true;
        // Answer only after the second chunk arrived (or give up after 3 s).
        auto* poll = new QTimer(&box);
        auto* started = new QElapsedTimer;
        started->start();
        QObject::connect(poll, &QTimer::timeout, &box, [&, poll, started, boxPtr = &box] {
            if (chunks.size() >= 2 || started->elapsed() > 3000) {
                secondSeenWhileOpen = chunks.size() >= 2;
                poll->stop();
                delete started;
                DialogWatcher::Press(*boxPtr, "OK");
            }
        });
        poll->start(10);
    });

    device.Deliver("OK\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !chunks.empty() && !boxOpen && delivered; }, 5000));
    EXPECT_TRUE(secondSeenWhileOpen);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1], "+CMTI: \"SM\",3\r\n");
    EXPECT_TRUE(boxOpenAtChunk[1]) << "the second chunk is handled inside the box's loop";
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "first chunk");

    // And the poll still runs after the box closed.
    device.Deliver("RING\r\n");
    ASSERT_TRUE(PumpUntil([&] { return chunks.size() == 3; }, 2000));
    port.Disconnect();
}

}  // namespace
}  // namespace parlenko::ui
