// Reads a full SIM phonebook (250 used positions) from the simulated phone on
// a pseudo-terminal, through the real port driver and the termios device, as
// the program does, and prints how long it took against the time the bytes
// need on a 19200 baud line. A benchmark: it prints figures, asserts nothing.
//
//   phonebook_read_bench [--phonesim PATH] [--baud N] [--gammu PATH | --no-gammu]
//
// The phone (the phonesim program) paces what it sends at the baud rate;
// the wire time counts both directions at 10 bits a byte. When gammu is
// installed, it reads the same phonebook from a fresh simulator on the same
// line ("gammu getallmemory SM"), and the time per entry of both is printed
// with their ratio. Neither counts its start-up: ours is timed from the first
// entry to the last, gammu's run that reads one entry is taken off its time.

#include "bench/support/bench_support.h"
#include "tests/support/engine_inside.h"
#include "engine/core/host.h"
#include "engine/core/loop_scheduler.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "platform/serial/termios_serial_device.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#ifndef PARLENKO_PHONESIM
#define PARLENKO_PHONESIM "phonesim"
#endif

namespace {

using namespace parlenko;
namespace fs = std::filesystem;

constexpr int kEntries = 250;

// No windows: the host and the phonebook page's view; counts the rows and
// notices the end of the read.
class BenchHost final : public bench::ConsoleHost, public IPhonebookView {
public:
    void AddPhonebookRow(const PhonebookRow&) override {
        const auto now = std::chrono::steady_clock::now();
        if (++rows == 1) firstRow = now;
        lastRow = now;
    }
    void SortPhonebookRows() override { finished = true; }

    int rows = 0;
    bool finished = false;
    std::chrono::steady_clock::time_point firstRow, lastRow;
};

std::string WriteState(const fs::path& folder) {
    const fs::path path = folder / "sim250.state";
    std::ofstream out(path);
    out << "# A SIM phonebook with every one of its 250 positions used.\n"
        << "[phonebook SM]\ncapacity = " << kEntries << "\n";
    for (int p = 1; p <= kEntries; ++p) {
        char line[96];
        std::snprintf(line, sizeof line, "%d,\"+3859155%05d\",145,\"Osoba %03d\"\n", p, p, p);
        out << line;
    }
    return path.string();
}

struct GammuFigures {
    double all = 0;  // getallmemory SM
    double one = 0;  // getmemory SM 1: its start-up and one entry
};

// gammu against a fresh simulator on the same line; nullopt when a run failed.
std::optional<GammuFigures> TimeGammu(const std::string& gammu, const std::string& program,
                                      const std::string& state, int baud, const fs::path& folder) {
    const std::string link = (folder / "gammu-phone").string();
    const std::string rc = (folder / "gammurc").string();
    std::ofstream(rc) << "[gammu]\ndevice = " << link << "\nconnection = at" << baud << "\n";
    GammuFigures f;
    for (int run = 0; run < 2; ++run) {
        bench::Simulator sim;
        if (!bench::StartSimulator(program, state, baud, link, {}, sim)) {
            bench::StopSimulator(sim);
            return std::nullopt;
        }
        const auto t = run == 0 ? bench::RunProgram({gammu, "-c", rc, "getallmemory", "SM"})
                                : bench::RunProgram({gammu, "-c", rc, "getmemory", "SM", "1"});
        bench::StopSimulator(sim);
        if (!t || !t->ok) return std::nullopt;
        (run == 0 ? f.all : f.one) = t->seconds;
    }
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    std::string program = PARLENKO_PHONESIM;
    int baud = 19200;
    std::string gammu = bench::FindInPath("gammu");
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--phonesim" && i + 1 < argc) program = argv[++i];
        else if (a == "--baud" && i + 1 < argc) baud = std::atoi(argv[++i]);
        else if (a == "--gammu" && i + 1 < argc) gammu = argv[++i];
        else if (a == "--no-gammu") gammu.clear();
        else {
            std::cerr << "usage: phonebook_read_bench [--phonesim PATH] [--baud N]"
                         " [--gammu PATH | --no-gammu]\n";
            return 2;
        }
    }
    if (baud <= 0) baud = 19200;

    const fs::path folder = bench::MakeTempFolder("parlenko-bench");
    if (folder.empty()) {
        std::perror("phonebook_read_bench: mkdtemp");
        return 1;
    }
    const std::string state = WriteState(folder);

    bench::Simulator sim;
    if (!bench::StartSimulator(program, state, baud, (folder / "phone").string(), {}, sim)) {
        std::cerr << "phonebook_read_bench: could not start " << program << "\n";
        bench::StopSimulator(sim);
        fs::remove_all(folder);
        return 1;
    }

    int status = 0;
    double ours = 0;
    {
        LoopScheduler loop;
        platform::TermiosSerialDevice termios;
        bench::RecordingDevice device(termios);
        TSerialPortDriver port(device, loop);
        port.SetPortName(sim.device);
        port.SetBaudRateValue(static_cast<std::uint32_t>(baud));
        BenchHost host;
        PhoneEngine engine(port, loop, host);
        engine.SetView<IPhonebookView>(&host);
        EngineInside::State(engine).Options.DataDir = folder.string();

        if (!port.Connect()) {
            std::cerr << "phonebook_read_bench: could not open " << sim.device << "\n";
            status = 1;
        } else {
            const auto start = std::chrono::steady_clock::now();
            RefreshPhonebook(EngineInside::Context(engine), PhoneMemory::Sim);
            const bool done = loop.RunUntil([&] { return host.finished; }, 300000);
            const double wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const std::size_t bytes = device.sent + device.received;
            const double wire = static_cast<double>(bytes) * 10.0 / baud;

            std::printf("phonebook read: %d entries read of %d%s\n", host.rows, kEntries,
                        done ? "" : " (stopped: no end within 300 s)");
            std::printf("wall time: %.3f s\n", wall);
            std::printf("bytes: %zu sent, %zu received, %zu both ways\n", device.sent,
                        device.received, bytes);
            std::printf("wire time at %d baud (10 bits a byte): %.3f s\n", baud, wire);
            std::printf("port poll interval: %u ms\n", static_cast<unsigned>(port.PollingDelay()));
            std::printf("wall/wire: %.2f\n", wire > 0 ? wall / wire : 0.0);
            // As for gammu below: the start-up and the first entry taken off.
            const double entries =
                host.rows > 1
                    ? std::chrono::duration<double>(host.lastRow - host.firstRow).count() /
                          (host.rows - 1)
                    : 0.0;
            std::printf("per entry: %.1f ms (the whole read over its entries: %.1f ms)\n",
                        entries * 1000.0, wall * 1000.0 / kEntries);
            if (!done || host.messages > 0) status = 1;
            port.Disconnect();
            ours = entries;
        }
    }
    bench::StopSimulator(sim);

    if (status == 0 && !gammu.empty()) {
        if (const auto g = TimeGammu(gammu, program, state, baud, folder)) {
            const double perEntry = (g->all - g->one) / (kEntries - 1);
            std::printf("gammu getallmemory SM: %.3f s; its start-up with one entry: %.3f s\n",
                        g->all, g->one);
            std::printf("gammu per entry: %.1f ms\n", perEntry * 1000.0);
            if (perEntry > 0) std::printf("per entry, ours/gammu: %.2f\n", ours / perEntry);
        } else {
            std::printf("gammu: %s did not read the phonebook\n", gammu.c_str());
        }
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return status;
}
