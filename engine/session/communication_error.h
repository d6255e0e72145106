#pragma once
// A command line could not be written to the phone.

#include "engine/session/engine_context.h"

namespace parlenko {

// Tells the user that the write failed. Called by the AT send wrapper for
// every failed write; the command is dropped (no retry).
void ReportCommunicationError(EngineContext& ctx);

}  // namespace parlenko
