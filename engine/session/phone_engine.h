#pragma once
// The phone protocol engine: owns the engine state and timers and listens to
// the serial port. It composes the units (AT writers, receive scan, final
// results, busy state, indicators, time-out), each of which works on the
// EngineContext it is given; the class itself stays thin.
//
//   TSerialPortDriver port(device, scheduler);
//   PhoneEngine engine(port, scheduler, host);   // hooks port.OnReceiveData
//   SendAtCgmi(engine.Context());
//
// The port, the scheduler and the host must outlive the engine.

#include "engine/session/engine_context.h"
#include "engine/session/engine_state.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace parlenko {

class TSerialPortDriver;

class PhoneEngine {
public:
    PhoneEngine(TSerialPortDriver& port, IScheduler& scheduler, IHost& host);
    ~PhoneEngine();  // unhooks the port
    PhoneEngine(const PhoneEngine&) = delete;
    PhoneEngine& operator=(const PhoneEngine&) = delete;

    EngineState& State() { return state_; }
    const EngineState& State() const { return state_; }
    EngineContext& Context() { return ctx_; }
    EngineTimers& Timers() { return timers_; }

    // The port's receive handler (hooked in the constructor).
    void cpDrvReceiveData(const std::uint8_t* data, std::size_t size);
    // Clears the received lines back to 20 blank entries; the connect and
    // disconnect command calls it whenever it leaves the port closed.
    void ResetRxLines();

    // For the windows: the busy state ends when the progress window closes;
    // the SMS and calls pages clear their indicators.
    void EndBusy();
    void ClearNewSms();
    void ClearNewCall();
    // The incoming-call notice closed (its timer or a button): blank its texts.
    void NewCallNoticeClosed();
    // The machine's clock that "phone to PC" sets (must outlive the engine).
    void SetSystemClock(ISystemClock* clock) { ctx_.systemClock = clock; }

private:
    TSerialPortDriver& port_;
    EngineState state_;
    EngineTimers timers_;
    EngineContext ctx_;
};

}  // namespace parlenko
