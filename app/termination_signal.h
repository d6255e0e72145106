#pragma once
// SIGTERM (a desktop logging out, a system shutting down, a service manager,
// `kill`), SIGINT (Ctrl-C in a terminal) and SIGHUP (the terminal that started
// the program closed) end the program without asking anything: nobody is
// there to answer. The handler only writes a byte into a pipe; the event loop
// reads it and calls the given function, also while a modal window's loop
// runs.
//
// The handler is installed first thing in main, before the application
// object exists; a signal that arrives before Listen waits in the pipe and is
// served by the first event loop after it.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace parlenko::app {

class TerminationSignal {
public:
    // Installs the handler (no Qt needed yet).
    TerminationSignal();
    // Gives the three signals back their default action.
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

    // Once the application object exists: onSignal runs on the event loop
    // once per signal, a signal already received included.
    void Listen(std::function<void()> onSignal);

    // False when the pipe or the handlers could not be set up; the signals
    // then keep their default action.
    bool Installed() const { return installed_; }

private:
    void Drain();

    bool installed_ = false;
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace parlenko::app
