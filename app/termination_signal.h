#pragma once
// SIGTERM (a desktop logging out, a system shutting down, a service manager,
// `kill`) and SIGINT (Ctrl-C in a terminal) end the program without asking
// anything: nobody is there to answer. The handler only writes a byte into a
// pipe; the event loop reads it and calls the given function, also while a
// modal window's loop runs.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace parlenko::app {

class TerminationSignal {
public:
    // Installs the handler; onSignal runs on the event loop once per signal.
    explicit TerminationSignal(std::function<void()> onSignal);
    // Gives both signals back their default action.
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

    // False when the pipe or the handlers could not be set up; the signals
    // then keep their default action.
    bool Installed() const { return notifier_ != nullptr; }

private:
    void Drain();

    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace parlenko::app
