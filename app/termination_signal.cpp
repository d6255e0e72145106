#include "app/termination_signal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace parlenko::app {
namespace {

// The pipe the handler writes into: [0] read by the event loop, [1] written
// by the handler. One per process, as the signal disposition is.
int g_pipe[2] = {-1, -1};

// SIGTERM, SIGINT, and SIGHUP (the terminal that started the program closed).
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnTerminate(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a pending request: dropping the byte is fine.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void ClosePipe() {
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace

TerminationSignal::TerminationSignal() {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = OnTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (const int sig : kSignals) {
        if (::sigaction(sig, &sa, nullptr) == 0) continue;
        for (const int other : kSignals) std::signal(other, SIG_DFL);
        ClosePipe();
        return;
    }
    installed_ = true;
}

TerminationSignal::~TerminationSignal() {
    if (!installed_) return;
    for (const int sig : kSignals) std::signal(sig, SIG_DFL);
    notifier_.reset();
    ClosePipe();
}

void TerminationSignal::Listen(std::function<void()> onSignal) {
    onSignal_ = std::move(onSignal);
    if (!installed_ || notifier_) return;
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { Drain(); });
}

void TerminationSignal::Drain() {
    char buf[16];
    bool signalled = false;
    while (::read(g_pipe[0], buf, sizeof buf) > 0) signalled = true;
    if (signalled && onSignal_) onSignal_();
}

}  // namespace parlenko::app
