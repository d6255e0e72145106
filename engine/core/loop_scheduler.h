#pragma once
// Real time on a small loop, for plain callers with no windows (benchmarks,
// command-line tools, tests over a real pseudo-terminal). The loop sleeps in
// poll() on the watched descriptors until the next timer is due.

#include "engine/core/scheduler.h"
#include "engine/core/timer_registry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace parlenko {

class LoopScheduler final : public IScheduler {
public:
    LoopScheduler();

    std::int64_t NowMs() const override;
    std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) override;
    void Sleep(int ms) override;
    void ProcessPendingEvents() override;
    std::unique_ptr<IReadWatch> WatchReadable(int fd, std::function<void()> onReadable) override;

    // Runs the loop for ms of real time.
    void RunFor(std::int64_t ms);
    // Runs the loop until pred() holds or maxMs passed; returns pred().
    bool RunUntil(const std::function<bool()>& pred, std::int64_t maxMs);

    struct Watch {
        int fd = -1;
        std::shared_ptr<std::function<void()>> onReadable;
        bool ready = false;   // poll() found bytes or a hang-up; the call is due
        bool broken = false;  // hung up or failed: left to the timers
        bool alive = true;
    };

private:
    void WaitForNext(std::int64_t until);
    void RunReadyWatches();
    std::int64_t origin_;
    TimerRegistry timers_;
    std::vector<std::shared_ptr<Watch>> watches_;
};

}  // namespace parlenko
