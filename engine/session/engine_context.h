#pragma once
// What every unit of the engine works with, passed explicitly: the state,
// the serial port, time, the windows (the shared host and the pages' views)
// and the engine's own timers.
//
// A unit takes an EngineContext& and uses only what it needs. The context
// holds references; PhoneEngine owns what they point to.

#include "engine/core/host.h"
#include "engine/core/scheduler.h"
#include "engine/session/engine_state.h"
#include "engine/session/views.h"

#include <memory>
#include <string>

namespace parlenko {

class TSerialPortDriver;
class ISystemClock;  // engine/text/clock_format.h

// The engine's timers, created stopped by PhoneEngine.
struct EngineTimers {
    std::unique_ptr<ITimer> TimeOutTimer;      // 10000 ms after the last activity
    std::unique_ptr<ITimer> NewSmsTimer;       // 750 ms blink of the new-SMS indicator
    std::unique_ptr<ITimer> NewCallTimer;      // 750 ms blink of the new-call indicator
    std::unique_ptr<ITimer> SmsOverflowTimer;  // 750 ms blink of a full SMS memory
    std::unique_ptr<ITimer> PortTrafficTimer;  // 250 ms traffic animation (runs while busy)
    // Re-reads the general information (30000 ms or the "Refresh Interval"
    // option); started by the connect chain and the page switch while the
    // general page is shown, stopped by the disconnect.
    std::unique_ptr<ITimer> RefreshTimer;
};

struct EngineContext {
    EngineState& state;
    TSerialPortDriver& port;
    IScheduler& scheduler;
    IHost& host;
    EngineTimers& timers;
    // The pages' views; each shows a do-nothing view until a window sets its own.
    Views views{};
    // The machine's clock, set from the phone's on request; null: not settable.
    ISystemClock* systemClock = nullptr;
};

// The received lines, as the receive scan and the answers' actions read and
// blank them.
inline RxLineList& Lines(EngineContext& ctx) { return ctx.state.Receive.RxLines; }

// A failure told in the error box: caption "Error", the OK button.
inline void ShowError(EngineContext& ctx, const std::string& text) {
    ctx.host.ShowMessageDialog("Error", text, DialogKind::Error, DialogButtons::Ok);
}

}  // namespace parlenko
