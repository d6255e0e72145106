// phonesim: the simulated Siemens phone on a pseudo-terminal.
//
//   phonesim [--state FILE] [--baud N] [--latency MS] [--log FILE] [--faults FILE] --link PATH
//
// Creates a pseudo-terminal, makes PATH a symbolic link to its device, prints
// the device path on its first line and serves the phone until SIGTERM or
// SIGINT; then it removes the link. --log appends one line per command line
// received (milliseconds since start, a tab, the line with control characters
// escaped). --baud paces what the phone sends at N baud (10 bits a byte);
// --latency delays each answer by MS milliseconds. --faults plays the fault
// script of FILE (phonesim/fault_script.h); when it closes the link the
// program ends as on SIGTERM.

#include "phonesim/fault_script.h"
#include "phonesim/phone.h"
#include "phonesim/state.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <iostream>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

std::string Escape(const std::string& s) {
    std::string out;
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '\\') out += "\\\\";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c < 32 || c == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

int Usage() {
    std::cerr
        << "usage: phonesim [--state FILE] [--baud N] [--latency MS] [--log FILE] [--faults FILE]"
           " --link PATH\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string statePath;
    std::string linkPath, logPath, faultsPath;
    phonesim::PhoneOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--state" && (v = value())) statePath = v;
        else if (a == "--link" && (v = value())) linkPath = v;
        else if (a == "--log" && (v = value())) logPath = v;
        else if (a == "--faults" && (v = value())) faultsPath = v;
        else if (a == "--baud" && (v = value())) options.baud = std::atoi(v);
        else if (a == "--latency" && (v = value())) options.answerDelayMs = std::atoi(v);
        else return Usage();
    }
    if (linkPath.empty() || options.baud < 0 || options.answerDelayMs < 0) return Usage();

        // Without --state: the S45 of the source tree when it is there, else the
        // small phone built in.
#ifdef PHONESIM_DEFAULT_STATE
    if (statePath.empty() && access(PHONESIM_DEFAULT_STATE, R_OK) == 0)
        statePath = PHONESIM_DEFAULT_STATE;
#endif
    phonesim::PhoneState state;
    try {
        state =
            statePath.empty() ? phonesim::MakeDefaultState() : phonesim::LoadStateFile(statePath);
    } catch (const std::exception& e) {
        std::cerr << "phonesim: " << e.what() << "\n";
        return 1;
    }

    phonesim::FaultScript faults;
    if (!faultsPath.empty()) {
        std::ifstream in(faultsPath, std::ios::binary);
        if (!in) {
            std::cerr << "phonesim: cannot read " << faultsPath << "\n";
            return 1;
        }
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        try {
            faults = phonesim::ParseFaultScript(text);
        } catch (const std::exception& e) {
            std::cerr << "phonesim: " << faultsPath << ": " << e.what() << "\n";
            return 2;
        }
    }

    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("phonesim: openpty");
        return 1;
    }
    // Raw line both ways; the slave stays open here so that clients may close
    // and reopen it without the master seeing a hang-up.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    struct stat st {};
    if (lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "phonesim: " << linkPath << " exists and is not a link\n";
            return 1;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(name, linkPath.c_str()) != 0) {
        std::perror("phonesim: symlink");
        return 1;
    }
    std::cout << name << std::endl;

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::ofstream log;
    if (!logPath.empty()) log.open(logPath, std::ios::app);

    phonesim::Phone phone(std::move(state), options);
    faults.ApplyTo(phone);
    const auto start = std::chrono::steady_clock::now();
    auto now = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    std::string pending;  // bytes the phone sent that the pty did not take yet
    std::size_t logged = 0;
    char buf[4096];
    while (!g_stop) {
        std::int64_t t = now();
        if (faults.ClosesAt(t)) break;
        const bool silent = faults.SilentAt(t);
        int timeout = 200;
        if (!pending.empty() || !faults.silent.empty() || !faults.closeAt.empty()) timeout = 5;
        if (auto next = phone.NextEventMs())
            timeout = static_cast<int>(
                std::max<std::int64_t>(0, std::min<std::int64_t>(timeout, *next - t)));
        pollfd pfd{master, POLLIN, 0};
        int r = poll(&pfd, 1, timeout);
        if (r < 0 && errno != EINTR) break;
        t = now();
        if (r > 0 && (pfd.revents & POLLIN)) {
            ssize_t n = read(master, buf, sizeof buf);
            // A silent phone hears nothing either.
            if (n > 0 && !silent) phone.Feed(std::string_view(buf, static_cast<std::size_t>(n)), t);
        } else if (r > 0) {
            usleep(10000);  // a hang-up or error without data: do not spin
        }
        const auto& lines = phone.Received();
        bool closing = false;
        for (; logged < lines.size(); ++logged) {
            if (log)
                log << lines[logged].ms << '\t' << Escape(lines[logged].text) << '\n' << std::flush;
            if (!lines[logged].body && faults.ClosesAfter(lines[logged].text)) closing = true;
        }
        if (closing) break;
        if (silent) continue;
        for (std::string chunk = phone.Poll(t); !chunk.empty(); chunk = phone.Poll(t))
            pending += chunk;
        while (!pending.empty()) {
            ssize_t w = write(master, pending.data(), pending.size());
            if (w <= 0) break;
            pending.erase(0, static_cast<std::size_t>(w));
        }
    }
    unlink(linkPath.c_str());
    close(master);
    close(slave);
    return 0;
}
