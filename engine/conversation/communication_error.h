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

// The connection itself failed at a step it cannot go on without: the phone
// never answered a command of the connect or information chain, or refused
// to switch its echo on. Disconnects as above and shows "Communication
// error!" naming the command; once, like ReportCommunicationError.
void ReportNoAnswer(EngineContext& ctx, std::string_view command);
void ReportEchoRefused(EngineContext& ctx, std::string_view command);

}  // namespace parlenko
