#pragma once
// The exchange time-out: 10000 ms after the last activity on the port (a
// recognised answer or a written command) the exchange is given up. The
// command that got no answer ends its operation once, with one message:
//  - a command of the reset at connect that the phone echoed but never
//    answered: no message yet; the phone took it for the body of a command
//    it prompted for before (the ESC has freed it) and the reset runs again,
//    once per connection;
//  - a step of the connect or information chain: the connection has failed
//    ("Communication error!" naming the command; the port is closed);
//  - an entry or message write, an upload, a setting: the write's own
//    failure text (the packet's for an upload the phone never prompted for);
//  - a read (a list, an object, a check): "Unknown error occurred while
//    trying to read data from mobile!", its progress window closed and its
//    list showing again what it showed before the read began.
// An exchange that already ended (its result came) leaves nothing to say.

#include "engine/core/engine_context.h"

namespace parlenko {

inline constexpr int kExchangeTimeOutMs = 10000;

// (Re)starts the time-out: it fires kExchangeTimeOutMs from now.
void RestartTimeOut(EngineContext& ctx);

// The time-out's tick: aborts a waiting "> " prompt with ESC and purges both
// port buffers when the port is open, ends the busy state, blanks every
// received line, ends the operation of the command that got no answer (see
// above) and clears every pending operation, so that no later answer
// carries one out.
void ExchangeTimeOut(EngineContext& ctx);

}  // namespace parlenko
