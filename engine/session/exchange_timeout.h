#pragma once
// The exchange time-out: 10000 ms after the last activity on the port (a
// received chunk or a written command) the exchange is given up, whether it
// finished or not. Nothing else stops it early.

#include "engine/session/engine_context.h"

namespace parlenko {

inline constexpr int kExchangeTimeOutMs = 10000;

// (Re)starts the time-out: it fires kExchangeTimeOutMs from now.
void RestartTimeOut(EngineContext& ctx);

// The time-out's tick: ends every operation in flight (upload guards and
// pending phonebook/SMS flags cleared), aborts a waiting "> " prompt with ESC
// and purges both port buffers when the port is open, ends the busy state,
// blanks every received line and, when a phone read shows the progress
// window (not during the Outlook exchanges), tells the user and closes it.
void ExchangeTimeOut(EngineContext& ctx);

}  // namespace parlenko
