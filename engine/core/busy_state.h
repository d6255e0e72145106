#pragma once
// The busy state: while the phone answers, the main window takes no input and
// the port-traffic indicator sweeps. There is no nesting count: one EndBusy
// ends any number of BeginBusy calls, and EndBusy when not busy is harmless.

#include "engine/core/engine_context.h"

namespace parlenko {

// Locks the main window's input and starts the traffic animation from step 1.
void BeginBusy(EngineContext& ctx);
// Stops the animation, shows the idle frame and unlocks the main window's
// input.
void EndBusy(EngineContext& ctx);
// True while the traffic animation runs (a chunk then does not BeginBusy again).
bool IsBusy(const EngineContext& ctx);
// One 250 ms tick of the animation: the frame sweeps 1, 2, 3, 4, 5, 4, 3, 2.
void PortTrafficTick(EngineContext& ctx);

}  // namespace parlenko
