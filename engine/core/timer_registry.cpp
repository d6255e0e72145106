#include "engine/core/timer_registry.h"

#include <algorithm>

namespace parlenko {

class TimerRegistry::Timer final : public ITimer {
public:
    Timer(std::shared_ptr<Entry> e, TimerRegistry* owner) : e_(std::move(e)), owner_(owner) {}
    ~Timer() override {
        e_->alive = false;
        e_->active = false;
    }

    void Start() override {
        e_->active = true;
        e_->due = owner_->now_() + std::max(e_->interval, 1);
    }
    void Stop() override { e_->active = false; }
    bool IsActive() const override { return e_->active; }
    void SetInterval(int ms) override {
        e_->interval = ms;
        if (e_->active) Start();
    }
    int Interval() const override { return e_->interval; }

private:
    std::shared_ptr<Entry> e_;
    TimerRegistry* owner_;
};

std::unique_ptr<ITimer> TimerRegistry::Make(int ms, std::function<void()> onTick) {
    auto e = std::make_shared<Entry>();
    e->onTick = std::move(onTick);
    e->interval = ms;
    e->order = nextOrder_++;
    entries_.push_back(e);
    return std::make_unique<Timer>(e, this);
}

std::optional<std::int64_t> TimerRegistry::NextDue() const {
    std::optional<std::int64_t> best;
    for (const auto& e : entries_)
        if (e->alive && e->active && (!best || e->due < *best)) best = e->due;
    return best;
}

int TimerRegistry::FireDue() {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const std::shared_ptr<Entry>& e) { return !e->alive; }),
                   entries_.end());
    const std::int64_t now = now_();
    // Take a snapshot: ticks may create, stop or destroy timers.
    std::vector<std::shared_ptr<Entry>> due;
    for (const auto& e : entries_)
        if (e->active && e->due <= now) due.push_back(e);
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        return a->due != b->due ? a->due < b->due : a->order < b->order;
    });
    int fired = 0;
    for (const auto& e : due) {
        // A nested loop inside an earlier tick may have fired or stopped it.
        if (!e->alive || !e->active || e->due > now) continue;
        // Coalesce: the next tick is one interval after now, however late we are.
        e->due = now + std::max(e->interval, 1);
        auto tick = e->onTick;  // the timer may be destroyed during the call
        ++fired;
        if (tick) tick();
    }
    return fired;
}

}  // namespace parlenko
