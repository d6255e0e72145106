#pragma once
// What every unit of the engine works with, passed explicitly: the shared
// state, each topic's state and view (by type), the serial port, time, the
// windows' shared host and the engine's own timers.
//
// A unit takes an EngineContext& and uses only what it needs. The context
// holds references; PhoneEngine owns what they point to.

#include "engine/core/host.h"
#include "engine/core/scheduler.h"
#include "engine/core/core_state.h"
#include "engine/core/topic_store.h"

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
    CoreState& state;
    // Each topic's state and its page's view (a do-nothing view until a
    // window sets its own), found by type.
    TopicStore& topics;
    TSerialPortDriver& port;
    IScheduler& scheduler;
    IHost& host;
    EngineTimers& timers;
    // The machine's clock, set from the phone's on request; null: not settable.
    ISystemClock* systemClock = nullptr;
};

// A page's view (IPhonebookView, ISmsView, ...).
template <class View>
View& ViewOf(const EngineContext& ctx) {
    return ctx.topics.View<View>();
}

// The received lines, as the receive scan and the answers' actions read and
// blank them.
inline RxLineList& Lines(EngineContext& ctx) { return ctx.state.Receive.RxLines; }

// A failure told in the error box: caption "Error", the OK button.
inline void ShowError(EngineContext& ctx, const std::string& text) {
    ctx.host.ShowMessageDialog("Error", text, DialogKind::Error, DialogButtons::Ok);
}

}  // namespace parlenko
