#pragma once
// Bookkeeping shared by the schedulers: timers with a due time, fired in
// order of due time (then creation), coalesced, safe against a timer being
// stopped, restarted or destroyed from inside any tick.

#include "engine/core/scheduler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace parlenko {

class TimerRegistry {
public:
    explicit TimerRegistry(std::function<std::int64_t()> now) : now_(std::move(now)) {}

    std::unique_ptr<ITimer> Make(int ms, std::function<void()> onTick);

    // Earliest due time of an active timer.
    std::optional<std::int64_t> NextDue() const;

    // Fires every timer due at the current time once (coalesced), in order.
    // Returns how many ticks ran.
    int FireDue();

    struct Entry {
        std::function<void()> onTick;
        int interval = 0;
        bool active = false;
        std::int64_t due = 0;
        std::uint64_t order = 0;
        bool alive = true;
    };

private:
    class Timer;
    std::function<std::int64_t()> now_;
    std::vector<std::shared_ptr<Entry>> entries_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace parlenko
