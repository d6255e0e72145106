#pragma once
// Real time on a small loop, for plain callers with no windows (benchmarks,
// command-line tools, tests over a real pseudo-terminal).

#include "engine/core/scheduler.h"
#include "engine/core/timer_registry.h"

#include <cstdint>
#include <functional>

namespace parlenko {

class LoopScheduler final : public IScheduler {
public:
    LoopScheduler();

    std::int64_t NowMs() const override;
    std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) override;
    void Sleep(int ms) override;
    void ProcessPendingEvents() override;

    // Runs the loop for ms of real time.
    void RunFor(std::int64_t ms);
    // Runs the loop until pred() holds or maxMs passed; returns pred().
    bool RunUntil(const std::function<bool()>& pred, std::int64_t maxMs);

private:
    void WaitForNext(std::int64_t until);
    std::int64_t origin_;
    TimerRegistry timers_;
};

}  // namespace parlenko
