#pragma once
// Virtual time for tests and simulations: nothing sleeps for real.

#include "engine/core/scheduler.h"
#include "engine/core/timer_registry.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace parlenko {

class VirtualScheduler final : public IScheduler {
public:
    VirtualScheduler();

    std::int64_t NowMs() const override { return now_; }
    std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) override;
    // Advances the clock without dispatching (a blocking wait of the caller).
    void Sleep(int ms) override;
    void ProcessPendingEvents() override;

    // Moves time forward by ms, firing due timers in order of due time.
    // May be called from inside a tick (a modal loop); the nested run moves
    // the same clock.
    void RunFor(std::int64_t ms);
    // Runs until pred() holds or maxMs passed; returns pred().
    bool RunUntil(const std::function<bool()>& pred, std::int64_t maxMs);

    // Work queued for the loop (like a posted message), run in order by
    // ProcessPendingEvents and RunFor.
    void Post(std::function<void()> work);

private:
    void RunPosted();
    std::int64_t now_ = 0;
    TimerRegistry timers_;
    std::vector<std::function<void()>> posted_;
};

}  // namespace parlenko
