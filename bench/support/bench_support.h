#pragma once
// What the benchmarks that talk to the simulated phone share: a serial device
// that records what crosses the link, the simulator program started on a
// pseudo-terminal, and other programs (gammu) run and timed.

#include "engine/core/host.h"
#include "engine/core/scheduler.h"
#include "engine/serial/serial_device.h"

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace parlenko::bench {

using Clock = std::chrono::steady_clock;

// Milliseconds from origin to t.
double MsBetween(Clock::time_point origin, Clock::time_point t);

// A host without windows: a message box goes to standard error (answered
// OK) and is counted; status notices are dropped.
class ConsoleHost : public IHost {
public:
    int ShowMessageDialog(const std::string& caption, const std::string& text, DialogKind kind,
                          DialogButtons buttons) override;
    void ShowStatusMessage(const std::string&) override {}

    int messages = 0;
};

// One read or write on the link, or a pause of ours (a sleep that
// dispatches nothing, while the phone's bytes wait in the port).
struct LinkEvent {
    enum Kind { Read, Write, Pause };
    Clock::time_point at;  // a pause: its end
    Kind kind = Read;
    std::size_t bytes = 0;
    std::string text;    // what was written (reads keep no text)
    double pauseMs = 0;  // how long a pause slept
};

// Passes everything on to the real device and records each read and write
// that moved bytes. onWrite hears a write's text before it is recorded.
class RecordingDevice final : public ISerialDevice {
public:
    explicit RecordingDevice(ISerialDevice& inner) : inner_(inner) {}
    bool Open(const std::string& name) override { return inner_.Open(name); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    bool Configure(const LineSettings& s) override { return inner_.Configure(s); }
    bool SetQueueSizes(std::size_t in, std::size_t out) override {
        return inner_.SetQueueSizes(in, out);
    }
    void Close() override { inner_.Close(); }
    bool Purge(bool in, bool out) override { return inner_.Purge(in, out); }
    std::optional<std::size_t> InQueue() override { return inner_.InQueue(); }
    std::optional<std::size_t> OutQueue() override { return inner_.OutQueue(); }
    std::optional<LineSignals> ModemLines() override { return inner_.ModemLines(); }
    std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size) override;
    std::ptrdiff_t Write(const std::uint8_t* data, std::size_t size) override;
    void WaitWritable(int ms) override { inner_.WaitWritable(ms); }
    int ReadableFd() const override { return inner_.ReadableFd(); }

    std::size_t sent = 0;
    std::size_t received = 0;
    std::vector<LinkEvent> events;
    std::function<void(const std::string&)> onWrite;

private:
    ISerialDevice& inner_;
};

// Passes everything on to the real scheduler and records its sleeps into
// events (those of a RecordingDevice, so that they stand in line with the
// reads and writes).
class RecordingScheduler final : public IScheduler {
public:
    RecordingScheduler(IScheduler& inner, std::vector<LinkEvent>& events)
        : inner_(inner), events_(events) {}
    std::int64_t NowMs() const override { return inner_.NowMs(); }
    std::unique_ptr<ITimer> MakeTimer(int ms, std::function<void()> onTick) override {
        return inner_.MakeTimer(ms, std::move(onTick));
    }
    void Sleep(int ms) override;
    void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }
    std::unique_ptr<IReadWatch> WatchReadable(int fd, std::function<void()> onReadable) override {
        return inner_.WatchReadable(fd, std::move(onReadable));
    }

private:
    IScheduler& inner_;
    std::vector<LinkEvent>& events_;
};

// The simulated phone, a child process serving a pseudo-terminal.
struct Simulator {
    pid_t pid = -1;
    int stdoutFd = -1;
    std::string device;  // the pseudo-terminal it serves
    // About when its clock started: the times of its command log count from here.
    Clock::time_point origin;
};

// Starts program (phonesim) with the state at baud, its link at link, and
// its command log in log when that is not empty; false when it did not start.
bool StartSimulator(const std::string& program, const std::string& state, int baud,
                    const std::string& link, const std::string& log, Simulator& sim);
void StopSimulator(Simulator& sim);

// A finished run of another program.
struct ProgramRun {
    Clock::time_point start;
    double seconds = 0;
    bool ok = false;     // ended with status 0
    std::string output;  // its standard output
};

// Runs args (args[0] looked up in PATH) with no input and its errors
// discarded; nullopt when it could not be started.
std::optional<ProgramRun> RunProgram(const std::vector<std::string>& args);

// The program's path in PATH; empty when it is not there.
std::string FindInPath(const std::string& name);

// A new folder under the temporary folder; empty on failure.
std::filesystem::path MakeTempFolder(const char* prefix);

}  // namespace parlenko::bench
