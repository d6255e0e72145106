#pragma once
// The reads the pages start (the phonebook, the call lists, the messages,
// the appointments, and any read that shows the progress window) end in one
// place when the phone fails them: silence, or the port gone.

#include "engine/core/engine_context.h"

namespace parlenko {

// Ends every read that runs: it asks nothing more, its list shows again
// what it showed before the read began, and the progress window closes
// (not the one of the store exchanges, which stays theirs). Says nothing.
// True when a read ran.
bool StopRunningReads(EngineContext& ctx);

}  // namespace parlenko
