#pragma once
// The whole engine on virtual time for tests, over one of two devices: a
// scripted serial port (FakeSerialDevice: the test hands in the phone's
// chunks and reads what was written) or the simulated phone behind the serial
// interface (SimSerialDevice). The real port driver, a recording host and the
// PhoneEngine are the same for both.
//
//   ScriptRig h;                          // port open
//   h.Receive("RING\r\n");                // a chunk straight into the receive handler
//   h.device.Deliver("OK\r\n");           // or through the port: the next poll reads it
//   h.clock.RunFor(50);
//   h.Sent();                             // what the engine wrote since the last call
//
//   SimPhoneRig s(seededState);           // port open, the phone says nothing yet
//   s.Connect();                          // ResetModem, and the conversation runs
//   s.Commands();                         // every command line the phone got
//   s.phone().IncomingCall(s.clock.NowMs(), "0911");

#include "tests/support/engine_inside.h"
#include "engine/core/virtual_scheduler.h"
#include "engine/conversation/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/connection.h"
#include "engine/session/phone_engine.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/recording_host.h"
#include "tests/support/sim_serial_device.h"
#include "tests/support/temp_dir.h"

#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko::testing {

struct RigOptions {
    bool openPort = true;            // the port is connected before the test starts
    bool dataFolder = false;         // the engine's data folder is a fresh temporary one
    phonesim::PhoneOptions phone{};  // the simulated phone's timing
};

template <class Device, class Host = RecordingHost>
class EngineRig {
    static constexpr bool kSimulated = std::same_as<Device, SimSerialDevice>;
    static_assert(kSimulated || std::same_as<Device, FakeSerialDevice>);
    std::optional<TempDir> data_;  // made first, removed last

public:
    explicit EngineRig(RigOptions options = {}) requires(!kSimulated) : device(&clock) {
        Start(options);
    }
    explicit EngineRig(phonesim::PhoneState seeded = phonesim::MakeDefaultState(),
                       RigOptions options = {}) requires kSimulated
        : device(clock, std::move(seeded), options.phone) {
        Start(options);
    }
    EngineRig(const EngineRig&) = delete;
    EngineRig& operator=(const EngineRig&) = delete;

    EngineContext& ctx() { return EngineInside::Context(engine); }
    EngineState& state() { return EngineInside::State(engine); }
    RxLineList& lines() { return EngineInside::State(engine).Receive.RxLines; }
    const GeneralInfoView& view() { return EngineInside::State(engine).GeneralInfo; }
    // The engine's data folder when the rig made one.
    const std::string& dataDir() const { return data_->path(); }

    // One chunk through the receive handler, as the port's poll hands it on.
    void Receive(std::string_view chunk) { ReceiveText(EngineInside::Context(engine), chunk); }
    // Everything written to the port since the last call.
    std::string Sent() requires(!kSimulated) { return device.TakeWritten(); }
    // Opens the port if it is not, resets the phone, then lets the
    // conversation run.
    void Connect(int runMs = 5000) {
        port.Connect();
        ResetModem(ctx());
        clock.RunFor(runMs);
    }

    // ---- The simulated phone.
    phonesim::Phone& phone() requires kSimulated { return device.Phone(); }
    // The command lines the phone received (bodies after "> " left out), from
    // the k-th received line on.
    std::vector<std::string> Commands(std::size_t from = 0) requires kSimulated {
        std::vector<std::string> out;
        const auto& received = device.Phone().Received();
        for (std::size_t k = from; k < received.size(); ++k)
            if (!received[k].body) out.push_back(received[k].text);
        return out;
    }
    std::size_t CommandCount() requires kSimulated { return device.Phone().Received().size(); }

    VirtualScheduler clock;
    Device device;
    TSerialPortDriver port{device, clock};
    Host host;
    PhoneEngine engine{port, clock, host};

private:
    void Start(const RigOptions& options) {
        host.Attach(engine);
        if (options.dataFolder) {
            data_.emplace("parlenko-rig");
            EngineInside::State(engine).Options.DataDir = data_->path();
        }
        if (options.openPort) port.Connect();
    }
};

using ScriptRig = EngineRig<FakeSerialDevice>;
using SimPhoneRig = EngineRig<SimSerialDevice>;

}  // namespace parlenko::testing
