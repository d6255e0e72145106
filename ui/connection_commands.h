#pragma once
// The main window's port routines: reset the phone after the port opened,
// start the general-information chain, switch the notices off and close the
// port. They work on the engine's context and wait as the phone needs
// (plain sleeps, then pending events are processed so received data and
// timers run).

#include "engine/session/engine_context.h"

namespace parlenko::ui {

// If the port is open: 500 ms; twice "ATZ" (written directly, a failed write
// is not reported), 100 ms, pending events; then "ATE1", which starts the
// connect chain.
void ResetModem(EngineContext& ctx);
// If the port is open: discard both buffers, then "AT+CGMI" (the first step
// of the information chain).
void RefreshGeneralInfo(EngineContext& ctx);
// If the port is open: "AT+CNMI=0,0,0,0" written directly, 100 ms, pending
// events, then the port is closed.
void ClosePort(EngineContext& ctx);

}  // namespace parlenko::ui
