// The cost of one received chunk as a connection grows. Every chunk scans the
// whole received-lines list, which keeps every line of the connection, so
// the time per chunk grows with the lines received so far. A benchmark: it
// prints figures, asserts nothing.
//
//   receive_scan_bench [ENTRIES]     (default 2000 phonebook-style answers)

#include "engine/core/host.h"
#include "tests/support/engine_inside.h"
#include "engine/core/virtual_scheduler.h"
#include "engine/conversation/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/null_serial_device.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace parlenko;

class QuietHost final : public IHost {
public:
    int ShowMessageDialog(const std::string&, const std::string&, DialogKind,
                          DialogButtons) override {
        return DialogResult::Ok;
    }
    void ShowStatusMessage(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 2000;
    VirtualScheduler clock;
    testing::NullSerialDevice device;
    TSerialPortDriver port(device, clock);
    QuietHost host;
    PhoneEngine engine(port, clock, host);
    port.Connect();

    using Clock = std::chrono::steady_clock;
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
    return 0;
}
