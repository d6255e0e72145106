#pragma once
// SIGTERM (a desktop logging out, a service manager, `kill`) closes the main
// window the way its close button does, so the close query runs: the options
// are saved and the phone's notices are switched off before the port closes.
// The signal handler only writes a byte into a pipe; the event loop reads it
// and calls the given function.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace parlenko::app {

class TerminationSignal {
public:
    // Installs the handler; onSignal runs on the event loop once per signal.
    explicit TerminationSignal(std::function<void()> onSignal);
    // Gives SIGTERM back its default action.
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

    // False when the pipe or the handler could not be set up; SIGTERM then
    // keeps its default action.
    bool Installed() const { return notifier_ != nullptr; }

private:
    void Drain();

    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace parlenko::app
