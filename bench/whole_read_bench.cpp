// What a user waits for after connecting: the connect chain and the general
// page's information, then the full phonebook read (four memories), the three
// call lists, both message memories and the appointments, one after the
// other as the pages start them. Runs the simulated phone on a
// pseudo-terminal, paced at the line's speed, through the real port driver
// and the termios device, and prints per stage and in total the entries
// read, the wall time, the bytes both ways, their time on the wire,
// wall/wire and the time per entry, with where the wall time went. A
// benchmark: it prints figures and asserts nothing; it fails only when a
// stage does not get through.
//
//   whole_read_bench [--state FILE]... [--phonesim PATH] [--baud N]
//                    [--gammu PATH | --no-gammu] [--scheduler loop|qt]
//
// The engine runs on the plain loop scheduler. With --scheduler qt the same
// read runs a second time, on a fresh simulator, through the program's own
// event loop: a QApplication (on the offscreen platform unless
// QT_QPA_PLATFORM names another) with the scheduler and the read watch of the
// windows, and the two are printed side by side.
//
// Without --state it reads the S45 of tests/data and the same phone filled
// up (the state generator's --full, written by the build). When gammu is
// installed it then reads the same data, each run on a fresh simulator with
// the same state: "gammu identify" (its start-up), "gammu backup FILE.vcf
// -yes" (the SIM and phone memories), "gammu getallmemory" of the own numbers
// and of the three call lists, "gammu getallsms" and "gammu backup FILE.vcs
// -yes" (the calendar). Each run's start-up (up to the first command after
// its "AT+CFUN=1", by the simulator's command log) is told apart from its
// read, and ours is compared with gammu's stage by stage and in total.

#include "bench/support/bench_support.h"
#include "engine/core/host.h"
#include "engine/core/loop_scheduler.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "platform/serial/termios_serial_device.h"
#include "tests/support/engine_inside.h"

#ifdef PARLENKO_BENCH_QT
#include "ui/base/qt_scheduler.h"

#include <QApplication>
#include <QElapsedTimer>
#endif

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#ifndef PARLENKO_PHONESIM
#define PARLENKO_PHONESIM "phonesim"
#endif
#ifndef PARLENKO_S45_STATE
#define PARLENKO_S45_STATE "tests/data/s45.state"
#endif
#ifndef PARLENKO_S45_FULL_STATE
#define PARLENKO_S45_FULL_STATE "s45-full.state"
#endif

namespace {

using namespace parlenko;
using bench::Clock;
namespace fs = std::filesystem;

constexpr std::int64_t kStageLimitMs = 600000;

struct Options {
    std::vector<std::string> states;
    std::string phonesim = PARLENKO_PHONESIM;
    int baud = 19200;
    std::string gammu = bench::FindInPath("gammu");
    bool qt = false;  // also through the program's Qt event loop
};

// ------------------------------------------------------------------ loops

// The loop the engine runs on: its scheduler, and running it until a
// condition holds (false when maxMs passed first).
class BenchLoop {
public:
    virtual ~BenchLoop() = default;
    virtual IScheduler& Scheduler() = 0;
    virtual bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs) = 0;
};

// The engine's own loop for plain callers.
class PlainLoop final : public BenchLoop {
public:
    IScheduler& Scheduler() override { return loop_; }
    bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs) override {
        return loop_.RunUntil(done, maxMs);
    }

private:
    LoopScheduler loop_;
};

#ifdef PARLENKO_BENCH_QT
// The program's: the application's event loop, passes as its exec() runs
// them, with the windows' scheduler.
class QtLoop final : public BenchLoop {
public:
    IScheduler& Scheduler() override { return scheduler_; }
    bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs) override {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() >= maxMs) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

private:
    ui::QtScheduler scheduler_;
};
#endif

// ------------------------------------------------------------------ stages

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(u.ru_utime) + seconds(u.ru_stime);
}

// What tells that a stage has come to its end.
enum class Signal { CommandWritten, InputUnlocked, PhonebookSorted, ProgressClosed };

// A stage ends on its signal, when the command written last is lastCommand
// and the engine's memory is memory (each when not empty).
struct StageDef {
    const char* name;
    Signal endsOn;
    std::string_view lastCommand;
    std::string_view memory;
};

// The connect chain ends where the general page's read begins; with "Check
// Cell Info" off that read ends on the signal strength's answer.
constexpr StageDef kStages[] = {
    {"connect chain", Signal::CommandWritten, "AT+CGMI\r", ""},
    {"general information", Signal::InputUnlocked, "AT+CSQ\r", ""},
    {"phonebook (4 memories)", Signal::PhonebookSorted, "", ""},
    {"call lists (3)", Signal::ProgressClosed, "", "MC"},
    {"SMS (2 memories)", Signal::ProgressClosed, "", "ME"},
    {"appointments", Signal::ProgressClosed, "", ""},
};
constexpr std::size_t kStageCount = std::size(kStages);

// A moment of the run: its time and the number of link events before it.
struct Mark {
    Clock::time_point at;
    std::size_t event = 0;
};

struct StageResult {
    Mark start, end;
    int entries = -1;  // -1: the stage reads no entries
    bool finished = false;
};

// No windows: the host and the views of the pages that the reads fill. It
// counts the rows and tells the bench what may end a stage.
class ReadHost final : public bench::ConsoleHost,
                       public IPhonebookView,
                       public ICallListsView,
                       public ISmsView,
                       public IObjectsView {
public:
    void SetMainWindowInputLocked(bool locked) override {
        if (!locked) onSignal(Signal::InputUnlocked);
    }
    bool IsProgressWindowVisible() override { return progressShown; }
    void HideProgressWindow() override { progressShown = false; }
    void ShowProgressWindow() override { progressShown = true; }
    void CloseProgressWindow() override {
        progressShown = false;
        onSignal(Signal::ProgressClosed);
    }

    void AddPhonebookRow(const PhonebookRow&) override { ++phonebookRows; }
    void SortPhonebookRows() override { onSignal(Signal::PhonebookSorted); }
    void AddCallListRow(CallListView, const CallListRow&) override { ++callRows; }
    void InsertSmsRow(SmsFolder, const SmsRow&) override { ++smsRows; }
    void AddAppointmentRow(const AppointmentRow&) override { ++appointmentRows; }

    std::function<void(Signal)> onSignal = [](Signal) {};
    bool progressShown = false;
    int phonebookRows = 0;
    int callRows = 0;
    int smsRows = 0;
    int appointmentRows = 0;
};

// The engine on the real port driver over the simulator's pseudo-terminal,
// and the stages run one after the other.
class WholeRead {
public:
    WholeRead(BenchLoop& loop, const std::string& device, int baud, const fs::path& dataDir)
        : loop_(loop),
          device_(termios_),
          scheduler_(loop.Scheduler(), device_.events),
          port_(device_, scheduler_),
          engine_(port_, scheduler_, host_) {
        port_.SetPortName(device);
        port_.SetBaudRateValue(static_cast<std::uint32_t>(baud));
        engine_.SetView<IPhonebookView>(&host_);
        engine_.SetView<ICallListsView>(&host_);
        engine_.SetView<ISmsView>(&host_);
        engine_.SetView<IObjectsView>(&host_);
        engine_.SetDataDir(dataDir.string() + "/");
        host_.onSignal = [this](Signal s) { Heard(s); };
        device_.onWrite = [this](const std::string& text) {
            lastWritten_ = text;
            Heard(Signal::CommandWritten);
        };
    }

    // Runs every stage; false when one did not come to its end.
    bool Run() {
        const double cpuBefore = CpuSeconds();
        for (current_ = 0; current_ < kStageCount; ++current_) {
            StageResult& r = results_[current_];
            if (current_ == 1) r.start = results_[0].end;  // the chain goes straight on
            else {
                r.start = Now();
                if (!StartStage(current_)) return false;
            }
            if (!loop_.RunUntil([&r] { return r.finished; }, kStageLimitMs)) return false;
            r.entries = EntriesOf(current_);
        }
        cpuSeconds_ = CpuSeconds() - cpuBefore;
        return host_.messages == 0;
    }

    // The processor time the whole read took in this process (the engine,
    // the port driver and the loop).
    double CpuSecondsUsed() const { return cpuSeconds_; }

    void Disconnect() { engine_.Disconnect(); }
    const StageResult& Result(std::size_t k) const { return results_[k]; }
    const std::vector<bench::LinkEvent>& Events() const { return device_.events; }

private:
    Mark Now() const { return Mark{Clock::now(), device_.events.size()}; }

    // A page switch as the main window makes it: the general page's refresh
    // stops, and the page's read starts.
    bool StartStage(std::size_t k) {
        if (k == 0) return engine_.Connect();
        engine_.StopRefresh();
        engine_.GeneralPageShown(false);
        if (k == 2) engine_.RefreshPhonebook();
        if (k == 3) engine_.RefreshCalls();
        if (k == 4) engine_.RefreshSms();
        if (k == 5) engine_.RefreshAppointments();
        return true;
    }

    int EntriesOf(std::size_t k) const {
        switch (k) {
            case 2: return host_.phonebookRows;
            case 3: return host_.callRows;
            case 4: return host_.smsRows;
            case 5: return host_.appointmentRows;
            default: return -1;
        }
    }

    void Heard(Signal s) {
        if (current_ >= kStageCount) return;
        const StageDef& def = kStages[current_];
        StageResult& r = results_[current_];
        if (r.finished || s != def.endsOn) return;
        if (!def.lastCommand.empty() && lastWritten_ != def.lastCommand) return;
        if (!def.memory.empty() && EngineInside::State(engine_).CurrentMemory != def.memory) return;
        r.end = Now();
        r.finished = true;
    }

    BenchLoop& loop_;
    platform::TermiosSerialDevice termios_;
    bench::RecordingDevice device_;
    bench::RecordingScheduler scheduler_;
    TSerialPortDriver port_;
    ReadHost host_;
    PhoneEngine engine_;
    std::size_t current_ = kStageCount;
    std::string lastWritten_;
    double cpuSeconds_ = 0;
    StageResult results_[kStageCount];
};

// ------------------------------------------------------------ the figures

// Where a stage's wall time went. Every stretch between two link events (and
// the stage's start and end) is waiting for the phone when it ends with bytes
// read, a pause when we slept through it, and else ours: it ends with a
// command written, or at the stage's end once the last answer is in.
struct LinkFigures {
    std::size_t sent = 0;
    std::size_t received = 0;
    int commands = 0;
    int chunks = 0;   // reads that brought bytes
    int escapes = 0;  // the time-out's ESC
    int pauses = 0;
    double phoneMs = 0;
    double pauseMs = 0;
    double oursMs = 0;
    double longestOursMs = 0;
    std::string longestBefore;  // the command written after the longest stretch of ours
};

void AddWrite(LinkFigures& f, const bench::LinkEvent& e, double ms) {
    f.sent += e.bytes;
    ++f.commands;
    if (e.text.find('\x1b') != std::string::npos) ++f.escapes;
    f.oursMs += ms;
    if (ms > f.longestOursMs) {
        f.longestOursMs = ms;
        f.longestBefore = e.text;
    }
}

LinkFigures FiguresOf(const std::vector<bench::LinkEvent>& events, const Mark& start,
                      const Mark& end) {
    LinkFigures f;
    Clock::time_point last = start.at;
    for (std::size_t i = start.event; i < end.event && i < events.size(); ++i) {
        const auto& e = events[i];
        const double ms = bench::MsBetween(last, e.at);
        last = e.at;
        switch (e.kind) {
            case bench::LinkEvent::Read:
                ++f.chunks;
                f.received += e.bytes;
                f.phoneMs += ms;
                break;
            case bench::LinkEvent::Pause:
                ++f.pauses;
                f.pauseMs += e.pauseMs;
                f.oursMs += std::max(0.0, ms - e.pauseMs);
                break;
            case bench::LinkEvent::Write: AddWrite(f, e, ms); break;
        }
    }
    f.oursMs += bench::MsBetween(last, end.at);
    return f;
}

// A command as it can be printed: control characters as \r, \x1b, ...
std::string Printable(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (static_cast<unsigned char>(c) < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            out += hex;
        } else out += c;
    }
    return out.size() > 40 ? out.substr(0, 40) + "..." : out;
}

double WireSeconds(std::size_t bytes, int baud) { return static_cast<double>(bytes) * 10.0 / baud; }

// A stage's wall time over its bytes' time on the wire, both ways and the
// phone's alone.
struct WireRatios {
    double overWire = 0;
    double overRecv = 0;
};

WireRatios RatiosOf(double wall, const LinkFigures& f, int baud) {
    const double wire = WireSeconds(f.sent + f.received, baud);
    const double phoneWire = WireSeconds(f.received, baud);
    return {wire > 0 ? wall / wire : 0.0, phoneWire > 0 ? wall / phoneWire : 0.0};
}

void PrintStageRow(const char* name, int entries, double wall, const LinkFigures& f, int baud) {
    const double wire = WireSeconds(f.sent + f.received, baud);
    const std::string entryText = entries < 0 ? "-" : std::to_string(entries);
    char perEntry[32] = "-";
    if (entries > 0) std::snprintf(perEntry, sizeof perEntry, "%.1f", wall * 1000.0 / entries);
    const WireRatios r = RatiosOf(wall, f, baud);
    std::printf("  %-24s %7s %8.3f %7zu %7zu %7zu %8.3f %9.2f %9.2f %9s\n", name, entryText.c_str(),
                wall, f.sent, f.received, f.sent + f.received, wire, r.overWire, r.overRecv,
                perEntry);
}

void PrintWhereTimeWent(const char* name, const LinkFigures& f, int baud) {
    std::printf(
        "  %-24s %4d commands, %d ESC; the phone %.3f s (its bytes %.3f s on the line, "
        "%d chunks); %d pauses %.3f s; ours %.3f s (longest %.1f ms, before \"%s\")\n",
        name, f.commands, f.escapes, f.phoneMs / 1000.0, WireSeconds(f.received, baud), f.chunks,
        f.pauses, f.pauseMs / 1000.0, f.oursMs / 1000.0, f.longestOursMs,
        Printable(f.longestBefore).c_str());
}

// Our figures per stage and in total; the walls, for the comparison.
struct OurTotals {
    double stageWall[kStageCount] = {};
    WireRatios stageRatios[kStageCount] = {};
    double total = 0;
    WireRatios totalRatios;
    int entries = 0;
};

OurTotals PrintOurs(const WholeRead& run, int baud) {
    OurTotals t;
    std::printf("  %-24s %7s %8s %7s %7s %7s %8s %9s %9s %9s\n", "stage", "entries", "wall s",
                "sent B", "recv B", "both B", "wire s", "wall/wire", "wall/recv", "ms/entry");
    LinkFigures all;
    for (std::size_t k = 0; k < kStageCount; ++k) {
        const StageResult& r = run.Result(k);
        const LinkFigures f = FiguresOf(run.Events(), r.start, r.end);
        t.stageWall[k] = bench::MsBetween(r.start.at, r.end.at) / 1000.0;
        t.stageRatios[k] = RatiosOf(t.stageWall[k], f, baud);
        PrintStageRow(kStages[k].name, r.entries, t.stageWall[k], f, baud);
        all.sent += f.sent;
        all.received += f.received;
        t.entries += std::max(r.entries, 0);
    }
    const StageResult& first = run.Result(0);
    const StageResult& last = run.Result(kStageCount - 1);
    t.total = bench::MsBetween(first.start.at, last.end.at) / 1000.0;
    t.totalRatios = RatiosOf(t.total, all, baud);
    PrintStageRow("total", t.entries, t.total, all, baud);
    std::printf("  processor time of ours over the whole read: %.3f s\n", run.CpuSecondsUsed());

    std::printf(
        "  where the time went (wall = waiting for the phone + our pauses + ours; ours "
        "runs from an answer's last chunk to our next command):\n");
    for (std::size_t k = 0; k < kStageCount; ++k) {
        const StageResult& r = run.Result(k);
        PrintWhereTimeWent(kStages[k].name, FiguresOf(run.Events(), r.start, r.end), baud);
    }
    return t;
}

// ---------------------------------------------------------------- gammu

// One gammu run and the stage of ours it compares with (-1: its start-up).
struct GammuRun {
    const char* label;
    std::vector<std::string> args;  // after "gammu -c RC"; "@" stands for the output file
    const char* outputFile;         // the backup's file name, or nullptr
    const char* counted;            // what one entry starts with, in the output or the file
    int stage;
};

const std::vector<GammuRun>& GammuRuns() {
    static const std::vector<GammuRun> runs = {
        {"identify (start-up, identity)", {"identify"}, nullptr, "", 1},
        {"backup FILE.vcf -yes (SM, ME)",
         {"backup", "@", "-yes"},
         "phonebook.vcf",
         "BEGIN:VCARD",
         2},
        {"getallmemory ON", {"getallmemory", "ON"}, nullptr, "Memory ON", 2},
        {"getallmemory DC", {"getallmemory", "DC"}, nullptr, "Memory DC", 3},
        {"getallmemory RC", {"getallmemory", "RC"}, nullptr, "Memory RC", 3},
        {"getallmemory MC", {"getallmemory", "MC"}, nullptr, "Memory MC", 3},
        {"getallsms", {"getallsms"}, nullptr, "Location ", 4},
        {"backup FILE.vcs -yes (calendar)",
         {"backup", "@", "-yes"},
         "calendar.vcs",
         "BEGIN:VEVENT",
         5},
    };
    return runs;
}

struct GammuFigures {
    bool ok = false;
    int entries = -1;
    double wall = 0;
    double startup = 0;  // up to its first command after "AT+CFUN=1"
};

// Lines of text that begin with prefix.
int CountLinesStartingWith(const std::string& text, std::string_view prefix) {
    if (prefix.empty()) return -1;
    int n = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (std::string_view(line).substr(0, prefix.size()) == prefix) ++n;
    return n;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The simulator's log time (ms from its start) of the first command after
// gammu's last "AT+CFUN=1"; -1 when there is none.
double ReadStartInLog(const fs::path& log) {
    std::ifstream in(log);
    double start = -1;
    bool afterInit = false;
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        if (afterInit && start < 0) start = std::atof(line.substr(0, tab).c_str());
        if (line.substr(tab + 1) == "AT+CFUN=1") {
            afterInit = true;
            start = -1;
        }
    }
    return start;
}

GammuFigures TimeGammuRun(const std::string& gammu, const GammuRun& g, const Options& o,
                          const std::string& state, const fs::path& folder) {
    GammuFigures f;
    const std::string link = (folder / "gammu-phone").string();
    const fs::path log = folder / "gammu-commands.log";
    const fs::path rc = folder / "gammurc";
    std::ofstream(rc) << "[gammu]\ndevice = " << link << "\nconnection = at" << o.baud << "\n";
    fs::remove(log);
    const fs::path output = g.outputFile ? folder / g.outputFile : fs::path();
    if (!output.empty()) fs::remove(output);
    std::vector<std::string> args = {gammu, "-c", rc.string()};
    for (const auto& a : g.args) args.push_back(a == "@" ? output.string() : a);

    bench::Simulator sim;
    if (bench::StartSimulator(o.phonesim, state, o.baud, link, log.string(), sim)) {
        if (const auto run = bench::RunProgram(args)) {
            f.ok = run->ok;
            f.wall = run->seconds;
            const double readStart = ReadStartInLog(log);
            f.startup = readStart < 0 ? 0
                                      : bench::MsBetween(run->start, sim.origin) / 1000.0 +
                                            readStart / 1000.0;
            f.entries =
                CountLinesStartingWith(output.empty() ? run->output : ReadFile(output), g.counted);
        }
    }
    bench::StopSimulator(sim);
    return f;
}

// "Gammu version 1.42.0" from its --version; "gammu" when it does not say.
std::string GammuVersion(const std::string& gammu) {
    const auto run = bench::RunProgram({gammu, "--version"});
    if (!run) return "gammu";
    const auto at = run->output.find("Gammu version");
    if (at == std::string::npos) return "gammu";
    const auto end = run->output.find_first_of("]\n", at);
    return run->output.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

void PrintRatio(const char* what, double ours, double theirs) {
    std::printf("  %-46s ours %8.3f s  gammu %8.3f s  ours/gammu %5.2f\n", what, ours, theirs,
                theirs > 0 ? ours / theirs : 0.0);
}

// gammu's runs on fresh simulators and ours against them; false when a run failed.
bool CompareWithGammu(const Options& o, const std::string& state, const fs::path& folder,
                      const OurTotals& ours) {
    std::printf("%s, each run on a fresh simulator with the same state:\n",
                GammuVersion(o.gammu).c_str());
    std::printf("  %-34s %7s %8s %10s %8s\n", "run", "entries", "wall s", "start-up s", "read s");
    double read[kStageCount] = {};
    double wall = 0, startup = 0;
    int entries = 0;
    bool ok = true;
    for (const auto& g : GammuRuns()) {
        const GammuFigures f = TimeGammuRun(o.gammu, g, o, state, folder);
        ok = ok && f.ok;
        const std::string entryText = f.entries < 0 ? "-" : std::to_string(f.entries);
        std::printf("  %-34s %7s %8.3f %10.3f %8.3f%s\n", g.label, entryText.c_str(), f.wall,
                    f.startup, f.wall - f.startup, f.ok ? "" : "  (failed)");
        read[g.stage] += f.wall - f.startup;
        if (g.stage == 1) read[0] += f.startup;  // its start-up against our connect chain
        wall += f.wall;
        startup += f.startup;
        entries += std::max(f.entries, 0);
    }
    std::printf("  %-34s %7d %8.3f %10.3f %8.3f\n", "total", entries, wall, startup,
                wall - startup);
    std::printf("ours against gammu (its start-ups off each run but the first):\n");
    PrintRatio("connect + general information / identify", ours.stageWall[0] + ours.stageWall[1],
               read[0] + read[1]);
    PrintRatio("phonebook (ours with the service numbers)", ours.stageWall[2], read[2]);
    PrintRatio("call lists", ours.stageWall[3], read[3]);
    PrintRatio("SMS", ours.stageWall[4], read[4]);
    PrintRatio("appointments", ours.stageWall[5], read[5]);
    const double oursReads =
        ours.stageWall[2] + ours.stageWall[3] + ours.stageWall[4] + ours.stageWall[5];
    PrintRatio("the reads together", oursReads, read[2] + read[3] + read[4] + read[5]);
    PrintRatio("everything, one start-up each", ours.total,
               read[0] + read[1] + read[2] + read[3] + read[4] + read[5]);
    PrintRatio("everything, gammu's runs as they ran", ours.total, wall);
    return ok;
}

// ------------------------------------------------------------------- main

// Ours on one state on a fresh simulator, through loop; nullopt when the
// simulator did not start or a stage did not get through.
std::optional<OurTotals> RunOurs(BenchLoop& loop, const Options& o, const std::string& state,
                                 const fs::path& folder) {
    bench::Simulator sim;
    std::optional<OurTotals> ours;
    if (!bench::StartSimulator(o.phonesim, state, o.baud, (folder / "phone").string(), {}, sim)) {
        std::cerr << "whole_read_bench: could not start " << o.phonesim << "\n";
    } else {
        WholeRead run(loop, sim.device, o.baud, folder);
        if (run.Run()) ours = PrintOurs(run, o.baud);
        else
            std::printf("  the read did not get through (a stage without its end, or a message)\n");
        run.Disconnect();
    }
    bench::StopSimulator(sim);
    return ours;
}

#ifdef PARLENKO_BENCH_QT
// The two loops' ratios stage by stage, and the Qt loop's total wall/wire
// beside the plain loop's.
void PrintLoopComparison(const OurTotals& plain, const OurTotals& qt) {
    std::printf("the loop scheduler against the program's Qt event loop:\n");
    std::printf("  %-24s %14s %14s %14s %14s\n", "stage", "loop wall/wire", "qt wall/wire",
                "loop wall/recv", "qt wall/recv");
    auto row = [](const char* name, const WireRatios& p, const WireRatios& q) {
        std::printf("  %-24s %14.3f %14.3f %14.3f %14.3f\n", name, p.overWire, q.overWire,
                    p.overRecv, q.overRecv);
    };
    for (std::size_t k = 0; k < kStageCount; ++k)
        row(kStages[k].name, plain.stageRatios[k], qt.stageRatios[k]);
    row("total", plain.totalRatios, qt.totalRatios);
    std::printf("  total wall: loop %.3f s, qt %.3f s; qt wall/wire minus loop wall/wire %+.3f\n",
                plain.total, qt.total, qt.totalRatios.overWire - plain.totalRatios.overWire);
}
#endif

// Ours on one state (through the Qt loop too when asked), then gammu's; 0
// when everything got through.
int BenchState(const Options& o, const std::string& state) {
    const fs::path folder = bench::MakeTempFolder("parlenko-whole-read");
    if (folder.empty()) {
        std::perror("whole_read_bench: mkdtemp");
        return 1;
    }
    std::printf("\n== %s, at %d baud through the port driver on a pseudo-terminal\n", state.c_str(),
                o.baud);
    if (o.qt) std::printf("the engine's loop scheduler:\n");
    PlainLoop plainLoop;
    const auto ours = RunOurs(plainLoop, o, state, folder);
    int status = ours ? 0 : 1;
#ifdef PARLENKO_BENCH_QT
    if (o.qt && ours) {
        std::printf("the program's Qt event loop (QtScheduler, its read watch):\n");
        QtLoop qtLoop;
        const auto qt = RunOurs(qtLoop, o, state, folder);
        if (qt) PrintLoopComparison(*ours, *qt);
        else status = 1;
    }
#endif
    if (ours && !o.gammu.empty() && !CompareWithGammu(o, state, folder, *ours))
        std::printf("  (a gammu run failed: its figures are not comparable)\n");
    std::error_code ec;
    fs::remove_all(folder, ec);
    return status;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--state" && hasValue) o.states.push_back(argv[++i]);
        else if (a == "--phonesim" && hasValue) o.phonesim = argv[++i];
        else if (a == "--baud" && hasValue) o.baud = std::atoi(argv[++i]);
        else if (a == "--gammu" && hasValue) o.gammu = argv[++i];
        else if (a == "--no-gammu") o.gammu.clear();
        else if (a == "--scheduler" && hasValue) {
            const std::string kind = argv[++i];
            if (kind != "loop" && kind != "qt") return false;
            o.qt = kind == "qt";
        } else return false;
    }
    if (o.baud <= 0) o.baud = 19200;
    if (o.states.empty()) o.states = {PARLENKO_S45_STATE, PARLENKO_S45_FULL_STATE};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::cerr << "usage: whole_read_bench [--state FILE]... [--phonesim PATH] [--baud N]"
                     " [--gammu PATH | --no-gammu] [--scheduler loop|qt]\n";
        return 2;
    }
#ifdef PARLENKO_BENCH_QT
    // The program's event loop needs its application; no window is shown.
    std::optional<QApplication> app;
    if (o.qt) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app.emplace(argc, argv);
    }
#else
    if (o.qt) {
        std::cerr << "whole_read_bench: built without the windows, no Qt event loop\n";
        return 2;
    }
#endif
    int status = 0;
    for (const auto& state : o.states) status |= BenchState(o, state);
    return status;
}
