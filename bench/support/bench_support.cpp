#include "bench/support/bench_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace parlenko::bench {

double MsBetween(Clock::time_point origin, Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(t - origin).count();
}

int ConsoleHost::ShowMessageDialog(const std::string& caption, const std::string& text, DialogKind,
                                   DialogButtons) {
    std::cerr << "message: " << caption << ": " << text << "\n";
    ++messages;
    return DialogResult::Ok;
}

std::ptrdiff_t RecordingDevice::Read(std::uint8_t* buffer, std::size_t size) {
    const auto n = inner_.Read(buffer, size);
    if (n > 0) {
        received += static_cast<std::size_t>(n);
        events.push_back({Clock::now(), LinkEvent::Read, static_cast<std::size_t>(n), {}, 0});
    }
    return n;
}

std::ptrdiff_t RecordingDevice::Write(const std::uint8_t* data, std::size_t size) {
    const auto at = Clock::now();
    const auto n = inner_.Write(data, size);
    if (n > 0) {
        std::string text(reinterpret_cast<const char*>(data), static_cast<std::size_t>(n));
        if (onWrite) onWrite(text);
        sent += static_cast<std::size_t>(n);
        events.push_back({at, LinkEvent::Write, static_cast<std::size_t>(n), std::move(text), 0});
    }
    return n;
}

void RecordingScheduler::Sleep(int ms) {
    const auto start = Clock::now();
    inner_.Sleep(ms);
    const auto end = Clock::now();
    events_.push_back({end, LinkEvent::Pause, 0, {}, MsBetween(start, end)});
}

bool StartSimulator(const std::string& program, const std::string& state, int baud,
                    const std::string& link, const std::string& log, Simulator& sim) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    const std::string baudText = std::to_string(baud);
    std::vector<std::string> args = {program, "--state", state, "--baud", baudText, "--link", link};
    if (!log.empty()) args.insert(args.end(), {"--log", log});
    sim.pid = ::fork();
    if (sim.pid < 0) return false;
    if (sim.pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        std::perror("bench: exec phonesim");
        ::_exit(127);
    }
    ::close(fds[1]);
    sim.stdoutFd = fds[0];
    char c;
    while (::read(sim.stdoutFd, &c, 1) == 1 && c != '\n') sim.device += c;
    // The simulator starts its clock right after it names its device.
    sim.origin = Clock::now();
    return !sim.device.empty();
}

void StopSimulator(Simulator& sim) {
    if (sim.pid > 0) {
        ::kill(sim.pid, SIGTERM);
        ::waitpid(sim.pid, nullptr, 0);
        sim.pid = -1;
    }
    if (sim.stdoutFd >= 0) ::close(sim.stdoutFd);
    sim.stdoutFd = -1;
}

std::optional<ProgramRun> RunProgram(const std::vector<std::string>& args) {
    int fds[2];
    if (args.empty() || ::pipe(fds) != 0) return std::nullopt;
    ProgramRun run;
    run.start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return std::nullopt;
    }
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.seconds = MsBetween(run.start, Clock::now()) / 1000.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::string FindInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t from = 0;
    for (;;) {
        const std::size_t colon = dirs.find(':', from);
        const std::string dir = dirs.substr(from, colon - from);
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string::npos) return {};
        from = colon + 1;
    }
}

std::filesystem::path MakeTempFolder(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace parlenko::bench
