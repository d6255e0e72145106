#pragma once
// The engine's time on the Qt event loop.
//
// Each timer is a QTimer whose timeout only posts the tick as a queued call
// (at most one pending per timer: ticks that fall due meanwhile coalesce).
// The tick itself then runs from the event queue. Qt does not deliver a timer
// again while its own slot is still running; because the slot returns at
// once, the timer keeps firing while a tick sits in a modal window's loop, and
// the next tick runs nested inside that loop (the serial poll keeps receiving
// while a message box opened by the receive handler is up).
//
// Stop() and Start() drop a tick that was posted but has not run yet.
//
// A watched descriptor works the same way: its QSocketNotifier posts the
// call (at most one pending) and stays off until the call runs; the notifier
// is on again before the call itself, so new bytes that come while the call
// sits in a modal window's loop are handled there. Bytes already read by the
// time the notifier's turn comes (the port driver's poll tick may run first in
// the same pass of the loop) leave it on; only a hang-up or an error turns it
// off for good, and the port driver's timer goes on alone.

#include "engine/core/scheduler.h"

#include <QElapsedTimer>

namespace parlenko::ui {

class QtScheduler final : public IScheduler {
public:
    QtScheduler();
    std::int64_t NowMs() const override;
    std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) override;
    // A plain sleep: nothing is dispatched.
    void Sleep(int ms) override;
    // Runs what is queued now (posted ticks, window events).
    void ProcessPendingEvents() override;
    std::unique_ptr<IReadWatch> WatchReadable(int fd, std::function<void()> onReadable) override;

private:
    QElapsedTimer clock_;
};

}  // namespace parlenko::ui
