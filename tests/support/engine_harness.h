#pragma once
// A whole engine on virtual time for tests: a fake serial port (connected),
// the real port driver, a recording host and the PhoneEngine.
//
//   EngineHarness h;
//   h.Receive("RING\r\n");            // a chunk straight into the receive handler
//   h.device.Deliver("OK\r\n");       // or through the port: the next poll reads it
//   h.clock.RunFor(50);
//   h.Sent();                          // what the engine wrote since the last call

#include "engine/core/virtual_scheduler.h"
#include "engine/receive/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/recording_host.h"

#include <string>
#include <string_view>

namespace parlenko::testing {

struct EngineHarness {
    VirtualScheduler clock;
    FakeSerialDevice device{&clock};
    TSerialPortDriver port{device, clock};
    RecordingHost host;
    PhoneEngine engine{port, clock, host};

    explicit EngineHarness(bool connect = true) {
        host.Attach(engine);
        if (connect) port.Connect();
    }

    EngineContext& ctx() { return engine.Context(); }
    EngineState& state() { return engine.State(); }
    RxLineList& lines() { return engine.State().Receive.RxLines; }

    // One chunk through the receive handler, as the port's poll hands it on.
    void Receive(std::string_view chunk) { ReceiveText(engine.Context(), chunk); }
    // Everything written to the port since the last call.
    std::string Sent() { return device.TakeWritten(); }
};

}  // namespace parlenko::testing
