#pragma once
// The routines that open and close a conversation with the phone: reset it
// after the port opened (which starts the connect chain), switch the notices
// off and close the port, and return to the disconnected state.
//
// ResetModem and ClosePort wait as the phone needs: a plain sleep, then the
// loop's pending work runs (received chunks and timers may be handled, and
// the engine entered again, during the wait).

#include "engine/core/engine_context.h"

namespace parlenko {

// If the port is open: 500 ms; twice "ATZ" written directly (a failed write
// is not reported), 100 ms and the pending work each; then "ATE1", whose
// "OK" starts the connect chain. A phone that echoes these and answers
// nothing waits for a body: the time-out frees it and runs this again
// (exchange_timeout.h).
void ResetModem(EngineContext& ctx);
// If the port is open: the running operation ends (no further command is
// written, until the next ResetModem, but switching off and its retry), the
// command in flight is given up to a second for its answer, a phone that
// waits for a body (prompted, or its prompt late) gets ESC, then
// "AT+CNMI=0,0,0,0" is written directly (the phone's notices off), 100 ms
// and the pending work, and the port is closed. A device that went away
// is closed at once.
void ClosePort(EngineContext& ctx);
// Stops the refresh, closes the port, tells the windows the connection is
// down and ends the busy state.
void DisconnectMobile(EngineContext& ctx);

}  // namespace parlenko
