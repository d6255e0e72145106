#include "engine/core/loop_scheduler.h"

#include <poll.h>
#include <sys/ioctl.h>

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

namespace {

class LoopReadWatch final : public IReadWatch {
public:
    explicit LoopReadWatch(std::shared_ptr<LoopScheduler::Watch> w) : w_(std::move(w)) {}
    ~LoopReadWatch() override { w_->alive = false; }

private:
    std::shared_ptr<LoopScheduler::Watch> w_;
};

}  // namespace

std::unique_ptr<IReadWatch> LoopScheduler::WatchReadable(int fd, std::function<void()> onReadable) {
    if (fd < 0) return nullptr;
    auto w = std::make_shared<Watch>();
    w->fd = fd;
    w->onReadable = std::make_shared<std::function<void()>>(std::move(onReadable));
    watches_.push_back(w);
    return std::make_unique<LoopReadWatch>(std::move(w));
}

void LoopScheduler::ProcessPendingEvents() {
    timers_.FireDue();
    RunReadyWatches();
}

// A call may end its own watch or add others: walk a copy, keep the handler
// alive through the call.
void LoopScheduler::RunReadyWatches() {
    std::erase_if(watches_, [](const auto& w) { return !w->alive; });
    const auto watches = watches_;
    for (const auto& w : watches) {
        if (!w->alive || !w->ready) continue;
        w->ready = false;
        const auto handler = w->onReadable;
        (*handler)();
    }
}

void LoopScheduler::WaitForNext(std::int64_t until) {
    auto due = timers_.NextDue();
    std::int64_t target = due ? std::min(*due, until) : until;
    std::int64_t wait = std::max<std::int64_t>(0, target - NowMs());
    std::vector<pollfd> fds;
    std::vector<Watch*> polled;
    for (const auto& w : watches_) {
        if (!w->alive || w->broken) continue;
        if (w->ready) wait = 0;  // a call is due already
        fds.push_back(pollfd{w->fd, POLLIN, 0});
        polled.push_back(w.get());
    }
    if (fds.empty()) {
        if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        return;
    }
    const int n =
        ::poll(fds.data(), fds.size(), static_cast<int>(std::min<std::int64_t>(wait, 1 << 30)));
    if (n <= 0) return;  // the time is up, or a signal: the caller looks again
    for (std::size_t k = 0; k < fds.size(); ++k) {
        if (fds[k].revents == 0) continue;
        // Readable with nothing to read is a hang-up or an error, which would
        // wake every poll at once: the call is made once (the caller finds
        // the device gone), then the timers alone go on.
        int queued = 0;
        polled[k]->ready = true;
        if (::ioctl(fds[k].fd, FIONREAD, &queued) != 0 || queued <= 0) polled[k]->broken = true;
    }
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
