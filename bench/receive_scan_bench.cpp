// The cost of one received chunk as a connection grows: phonebook-style
// answers, then a flood of each kind of line the phone sends of its own
// accord (RING, a caller's number, a registration notice, a line nobody
// knows, noise), twenty lines a chunk. Every chunk scans the received-lines
// list, so the time per line stays flat only while the list does. A
// benchmark: it prints figures, asserts nothing.
//
//   receive_scan_bench [ENTRIES] [FLOOD]
//       ENTRIES answers (default 2000), FLOOD lines of each kind (default
//       144000: 2400 lines a second for a minute)

#include "tests/support/engine_inside.h"
#include "engine/core/virtual_scheduler.h"
#include "engine/conversation/receive_scan.h"
#include "engine/session/phone_engine.h"
#include "tests/support/quiet_engine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace parlenko;

using Clock = std::chrono::steady_clock;

void Receive(PhoneEngine& engine, const std::string& chunk) {
    engine.cpDrvReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size());
}

// FLOOD lines of one kind, twenty a chunk; a row per tenth.
void Flood(const char* kind, const std::string& line, int lines) {
    testing::QuietEngine quiet;
    PhoneEngine& engine = quiet.engine;
    VirtualScheduler& clock = quiet.clock;
    constexpr int kPerChunk = 20;
    std::string chunk;
    for (int k = 0; k < kPerChunk; ++k) chunk += "\r\n" + line + "\r\n";
    const int chunks = std::max(lines / kPerChunk, 1);
    const int block = std::max(chunks / 10, 1);
    auto blockStart = Clock::now();
    for (int k = 1; k <= chunks; ++k) {
        Receive(engine, chunk);
        clock.RunFor(8);  // 2400 lines a second
        if (k % block != 0) continue;
        const auto us =
            std::chrono::duration<double, std::micro>(Clock::now() - blockStart).count();
        std::printf("%-14s %10d %12d %16.2f\n", kind, k * kPerChunk,
                    EngineInside::State(engine).Receive.RxLines.Size(), us / (block * kPerChunk));
        blockStart = Clock::now();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int flood = argc > 2 ? std::atoi(argv[2]) : 144000;
    testing::QuietEngine quiet;
    PhoneEngine& engine = quiet.engine;

    std::printf("%10s %12s %16s\n", "answers", "list lines", "us per answer");
    auto blockStart = Clock::now();
    const int block = entries / 10 > 0 ? entries / 10 : 1;
    for (int k = 1; k <= entries; ++k) {
        const std::string n = std::to_string(k);
        // An answer arrives in two polls: the echo, then the rest.
        engine.cpDrvReceiveData(
            reinterpret_cast<const std::uint8_t*>(("AT+CPBR=" + n + "\r").data()), n.size() + 9);
        const std::string rest =
            "\r\n+CPBR: " + n + ",\"0911234567\",129,\"Name " + n + "\"\r\n\r\nOK\r\n";
        engine.cpDrvReceiveData(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
        if (k % block == 0) {
            const auto us =
                std::chrono::duration<double, std::micro>(Clock::now() - blockStart).count();
            std::printf("%10d %12d %16.1f\n", k, EngineInside::State(engine).Receive.RxLines.Size(),
                        us / block);
            blockStart = Clock::now();
        }
    }

    std::printf("\n%-14s %10s %12s %16s\n", "flood of", "lines", "list lines", "us per line");
    Flood("RING", "RING", flood);
    Flood("caller", "+CLIP: \"0911234567\",129", flood);
    Flood("registration", "+CREG: 1,\"0DA2\",\"5C1F\"", flood);
    Flood("unknown", "^SBC: Undervoltage", flood);
    Flood("noise", "\x7f#~", flood);
    return 0;
}
