#include "ui/base/qt_scheduler.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <memory>

namespace parlenko::ui {
namespace {

class QtTimer final : public ITimer {
public:
    QtTimer(int ms, std::function<void()> onTick)
        : onTick_(std::make_shared<std::function<void()>>(std::move(onTick))) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(std::max(0, ms));
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Post(); });
    }

    void Start() override {
        ++generation_;
        pending_ = false;
        timer_.start();
    }
    void Stop() override {
        ++generation_;
        pending_ = false;
        timer_.stop();
    }
    bool IsActive() const override { return timer_.isActive(); }
    void SetInterval(int ms) override {
        const bool active = timer_.isActive();
        timer_.setInterval(std::max(0, ms));
        if (active) Start();
    }
    int Interval() const override { return timer_.interval(); }

private:
    // Timer slot: queue the tick unless one is already waiting.
    void Post() {
        if (pending_) return;
        pending_ = true;
        const unsigned generation = generation_;
        // The QTimer is the context: a tick posted by a timer that is
        // destroyed before it runs is dropped with it.
        QMetaObject::invokeMethod(
            &timer_, [this, generation] { Run(generation); }, Qt::QueuedConnection);
    }

    void Run(unsigned generation) {
        if (generation != generation_ || !pending_) return;
        pending_ = false;
        if (!timer_.isActive()) return;
        // The tick may destroy this timer: keep the handler alive and touch
        // nothing of this object afterwards.
        auto handler = onTick_;
        (*handler)();
    }

    QTimer timer_;
    std::shared_ptr<std::function<void()>> onTick_;
    bool pending_ = false;
    unsigned generation_ = 0;
};

class QtReadWatch final : public IReadWatch {
public:
    QtReadWatch(int fd, std::function<void()> onReadable) : state_(std::make_shared<State>()) {
        state_->notifier =
            std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), QSocketNotifier::Read);
        state_->onReadable = std::move(onReadable);
        std::weak_ptr<State> weak = state_;
        QObject::connect(state_->notifier.get(), &QSocketNotifier::activated,
                         state_->notifier.get(), [weak] { Post(weak); });
    }

private:
    struct State {
        std::unique_ptr<QSocketNotifier> notifier;
        std::function<void()> onReadable;
    };

    enum class Ready { Bytes, Drained, HungUp };

    // What the descriptor holds now: bytes, nothing (someone read them), or
    // a hang-up or an error (readable with nothing to read included).
    static Ready Readiness(int fd) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 0) < 0) return Ready::Drained;  // interrupted: the next poll tells
        if (p.revents == 0) return Ready::Drained;
        int queued = 0;
        if (::ioctl(fd, FIONREAD, &queued) == 0 && queued > 0) return Ready::Bytes;
        return Ready::HungUp;
    }

    // Notifier slot: the loop's poll saw the descriptor readable. The
    // notifier is level-triggered: off until the posted call has read the
    // bytes.
    static void Post(const std::weak_ptr<State>& weak) {
        const auto state = weak.lock();
        if (!state) return;
        QSocketNotifier& notifier = *state->notifier;
        notifier.setEnabled(false);
        switch (Readiness(static_cast<int>(notifier.socket()))) {
            case Ready::Bytes:
                // Posted to the application, not to the notifier: the call may
                // end the watch, and the notifier must not be deleted inside
                // its own event.
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [weak] { Run(weak); }, Qt::QueuedConnection);
                return;
            case Ready::Drained:
                // Read between the loop's poll and this slot (the port
                // driver's poll tick runs first in the same pass): the watch
                // stays armed for the next bytes.
                notifier.setEnabled(true);
                return;
            case Ready::HungUp:
                // Told once, at once: the call finds nothing to read and the
                // port driver sees the device gone. The notifier stays off
                // (it would wake the loop again at once); the driver's timer
                // goes on from here.
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [weak] { Run(weak, /*rearm=*/false); },
                    Qt::QueuedConnection);
                return;
        }
    }

    static void Run(const std::weak_ptr<State>& weak, bool rearm = true) {
        const auto state = weak.lock();  // kept alive through the call
        if (!state) return;
        if (rearm) state->notifier->setEnabled(true);
        state->onReadable();
    }

    std::shared_ptr<State> state_;
};

}  // namespace

QtScheduler::QtScheduler() { clock_.start(); }

std::unique_ptr<IReadWatch> QtScheduler::WatchReadable(int fd, std::function<void()> onReadable) {
    if (fd < 0) return nullptr;
    return std::make_unique<QtReadWatch>(fd, std::move(onReadable));
}

std::int64_t QtScheduler::NowMs() const { return clock_.elapsed(); }

std::unique_ptr<ITimer> QtScheduler::MakeTimer(int ms, std::function<void()> onTick) {
    return std::make_unique<QtTimer>(ms, std::move(onTick));
}

void QtScheduler::Sleep(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void QtScheduler::ProcessPendingEvents() {
    QCoreApplication::processEvents();
    // Ticks the timers posted in that pass run now, not on the next pass.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

}  // namespace parlenko::ui
