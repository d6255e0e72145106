#pragma once
// The engine with nothing around it, for benchmarks and fuzz targets that hand
// it its input directly and do not look at what it says: a port with nothing
// behind it (opened), a host whose every box answers Ok at once, virtual time.
// Header-only, as the null serial device is.
//
//   testing::QuietEngine q;
//   ReceiveText(EngineInside::Context(q.engine), "RING\r\n");

#include "engine/core/host.h"
#include "engine/core/virtual_scheduler.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/null_serial_device.h"

#include <string>

namespace parlenko::testing {

class QuietHost final : public IHost {
public:
    int ShowMessageDialog(const std::string&, const std::string&, DialogKind,
                          DialogButtons) override {
        return DialogResult::Ok;
    }
    void ShowStatusMessage(const std::string&) override {}
};

struct QuietEngine {
    QuietEngine() { port.Connect(); }

    VirtualScheduler clock;
    NullSerialDevice device;
    TSerialPortDriver port{device, clock};
    QuietHost host;
    PhoneEngine engine{port, clock, host};
};

}  // namespace parlenko::testing
