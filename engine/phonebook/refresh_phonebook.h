#pragma once
// Starting the phonebook and call-list reads: select the first memory; the
// receive actions and the read loops do the rest.

#include "engine/session/engine_context.h"

namespace parlenko {

// Selects phonebook memory kind 1 "SM", 2 "ME", 3 "ON" or 4 "SD" for reading.
// Kind 1 is the full read the user starts: it clears the phonebook list and
// view and deletes the cache (both kept during a restore), resets the
// counters, disables the memories' view buttons and sets the phonebook mode.
// Kinds 2..4 go on with the next memory. Does nothing while disconnected.
void RefreshPhonebook(EngineContext& ctx, int kind);

// Selects call list kind 5 "LD", 6 "RC" or 7 "MC" for reading. Kind 5 starts
// the read of all three and empties the lists first. Does nothing while
// disconnected.
void RefreshCalls(EngineContext& ctx, int kind);

}  // namespace parlenko
