#include "engine/core/virtual_scheduler.h"

#include <algorithm>

namespace parlenko {

VirtualScheduler::VirtualScheduler() : timers_([this] { return now_; }) {}

std::unique_ptr<ITimer> VirtualScheduler::MakeTimer(int ms, std::function<void()> onTick) {
    return timers_.Make(ms, std::move(onTick));
}

void VirtualScheduler::Sleep(int ms) {
    if (ms > 0) now_ += ms;
}

void VirtualScheduler::Post(std::function<void()> work) { posted_.push_back(std::move(work)); }

void VirtualScheduler::RunPosted() {
    while (!posted_.empty()) {
        auto work = std::move(posted_.front());
        posted_.erase(posted_.begin());
        if (work) work();
    }
}

void VirtualScheduler::ProcessPendingEvents() {
    RunPosted();
    timers_.FireDue();
    RunPosted();
}

void VirtualScheduler::RunFor(std::int64_t ms) {
    const std::int64_t end = now_ + std::max<std::int64_t>(ms, 0);
    ProcessPendingEvents();
    for (;;) {
        auto due = timers_.NextDue();
        if (!due || *due > end) break;
        if (*due > now_) now_ = *due;
        ProcessPendingEvents();
    }
    if (now_ < end) now_ = end;
    ProcessPendingEvents();
}

bool VirtualScheduler::RunUntil(const std::function<bool()>& pred, std::int64_t maxMs) {
    const std::int64_t end = now_ + maxMs;
    ProcessPendingEvents();
    while (!pred()) {
        auto due = timers_.NextDue();
        if (!due || *due > end) {
            now_ = std::max(now_, end);
            ProcessPendingEvents();
            return pred();
        }
        if (*due > now_) now_ = *due;
        ProcessPendingEvents();
    }
    return true;
}

}  // namespace parlenko
