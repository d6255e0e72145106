#pragma once
// A command line could not be written to the phone.

#include "engine/core/engine_context.h"

#include <string_view>

namespace parlenko {

// Called by the AT send wrapper for every failed write; the command is
// dropped (no retry). Disconnects (refresh stopped, port closed, windows
// told, busy state ended) and shows "Communication error!" with advice that
// depends on the port's line check, and a last line naming the device when
// it has gone away (unplugged). Shown once: the writers that follow in
// the same exchange fail on the closed port and stay silent until the next
// connect (ResetModem) clears the mark.
void ReportCommunicationError(EngineContext& ctx);

// The port's device went away (the port driver's OnLinkLost). An exchange
// in flight ends at once as a failed write ends it: one "Communication
// error!" naming the device, the operation's list as before it, and no
// time-out after it. With nothing in flight nothing is said now: the next
// command's write fails and tells it.
void ReportLinkLost(EngineContext& ctx);

// The connection itself failed at a step it cannot go on without: the phone
// never answered a command of the connect or information chain, or refused
// to switch its echo on. Disconnects as above and shows "Communication
// error!" naming the command; once, like ReportCommunicationError.
void ReportNoAnswer(EngineContext& ctx, std::string_view command);
// reason: the phone's, as RefusalReason gives it (empty for "ERROR").
void ReportEchoRefused(EngineContext& ctx, std::string_view command, const std::string& reason);

}  // namespace parlenko
