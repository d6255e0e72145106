#pragma once
// Time for the engine: timers with window-timer semantics.
//
// A timer ticks only from the event loop (never inside another handler unless
// that handler lets the loop run), ticks that fall due while the loop is busy
// coalesce into one, and Start() on a running timer restarts its interval.

#include <cstdint>
#include <functional>
#include <memory>

namespace parlenko {

class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void Start() = 0;  // (re)start: next tick one interval from now
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    virtual void SetInterval(int ms) = 0;  // a running timer restarts with the new interval
    virtual int Interval() const = 0;
};

// A watch on a file descriptor (see IScheduler::WatchReadable); destroying
// it ends the watch.
class IReadWatch {
public:
    virtual ~IReadWatch() = default;
};

class IScheduler {
public:
    virtual ~IScheduler() = default;
    virtual std::int64_t NowMs() const = 0;
    // The timer is created stopped.
    virtual std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) = 0;
    // Waits without dispatching anything.
    virtual void Sleep(int ms) = 0;
    // Runs what is due now (timers, queued work); may re-enter the engine.
    virtual void ProcessPendingEvents() = 0;
    // Calls onReadable from the loop soon after fd has bytes to read, like a
    // timer tick: coalesced (one call however often the bytes came, the call
    // reads what is there) and never inside another handler unless that
    // handler lets the loop run. Null when this loop cannot watch
    // descriptors; a caller then relies on its timers alone.
    virtual std::unique_ptr<IReadWatch> WatchReadable(int fd, std::function<void()> onReadable) {
        (void)fd;
        (void)onReadable;
        return nullptr;
    }
};

}  // namespace parlenko
