#include "engine/core/loop_scheduler.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace parlenko {
namespace {
std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

LoopScheduler::LoopScheduler() : origin_(SteadyMs()), timers_([this] { return NowMs(); }) {}

std::int64_t LoopScheduler::NowMs() const { return SteadyMs() - origin_; }

std::unique_ptr<ITimer> LoopScheduler::MakeTimer(int ms, std::function<void()> onTick) {
    return timers_.Make(ms, std::move(onTick));
}

void LoopScheduler::Sleep(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void LoopScheduler::ProcessPendingEvents() { timers_.FireDue(); }

void LoopScheduler::WaitForNext(std::int64_t until) {
    auto due = timers_.NextDue();
    std::int64_t target = due ? std::min(*due, until) : until;
    std::int64_t wait = target - NowMs();
    if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
}

void LoopScheduler::RunFor(std::int64_t ms) {
    const std::int64_t end = NowMs() + ms;
    for (;;) {
        ProcessPendingEvents();
        if (NowMs() >= end) break;
        WaitForNext(end);
    }
}

bool LoopScheduler::RunUntil(const std::function<bool()>& pred, std::int64_t maxMs) {
    const std::int64_t end = NowMs() + maxMs;
    for (;;) {
        ProcessPendingEvents();
        if (pred()) return true;
        if (NowMs() >= end) return false;
        WaitForNext(end);
    }
}

}  // namespace parlenko
