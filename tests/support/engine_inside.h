#pragma once
// The one door to the engine's inside for tests and benchmarks: its state,
// the context its units work on, and its timers. Windows and the program
// never use it; a test that goes through it says that it checks how the
// engine works inside, not what its face shows.

#include "engine/core/engine_context.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"

namespace parlenko {

class EngineInside {
public:
    static EngineState& State(PhoneEngine& engine) { return engine.State(); }
    static const EngineState& State(const PhoneEngine& engine) { return engine.State(); }
    static EngineContext& Context(PhoneEngine& engine) { return engine.Context(); }
    static EngineTimers& Timers(PhoneEngine& engine) { return engine.Timers(); }
};

}  // namespace parlenko
