#pragma once
// The engine talking to the simulated phone, in-process on virtual time:
// the real port driver polls a SimSerialDevice, the recording host stands in
// for the windows.
//
//   SimEngine s;
//   s.Connect();                       // port open, ResetModem, chain runs
//   s.Commands();                      // every command line the phone got

#include "engine/core/virtual_scheduler.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/at/at_commands.h"
#include "engine/session/connection.h"
#include "engine/session/phone_engine.h"
#include "tests/support/recording_host.h"
#include "tests/support/sim_serial_device.h"

#include <string>
#include <vector>

namespace parlenko::testing {

struct SimEngine {
    explicit SimEngine(phonesim::PhoneState seeded = phonesim::MakeDefaultState())
        : device(clock, std::move(seeded)), port(device, clock), engine(port, clock, host) {
        host.Attach(engine);
    }

    EngineContext& ctx() { return engine.Context(); }
    EngineState& state() { return engine.State(); }
    phonesim::Phone& phone() { return device.Phone(); }
    const GeneralInfoView& view() { return engine.State().GeneralInfo; }

    // Opens the port and resets the phone, then lets the conversation run.
    void Connect(int runMs = 5000) {
        port.Connect();
        ResetModem(ctx());
        clock.RunFor(runMs);
    }

    // The command lines the phone received, from the k-th on.
    std::vector<std::string> Commands(std::size_t from = 0) {
        std::vector<std::string> out;
        const auto& received = phone().Received();
        for (std::size_t k = from; k < received.size(); ++k)
            if (!received[k].body) out.push_back(received[k].text);
        return out;
    }
    std::size_t CommandCount() { return phone().Received().size(); }

    VirtualScheduler clock;
    SimSerialDevice device;
    TSerialPortDriver port;
    RecordingHost host;
    PhoneEngine engine;
};

}  // namespace parlenko::testing
