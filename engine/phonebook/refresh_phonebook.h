#pragma once
// Starting the phonebook and call-list reads: select the first memory; the
// receive actions and the read loops do the rest. Each starts once the
// conversation is quiet (conversation/quiet_starts.h), with the port's
// buffers emptied.

#include "engine/phone/phone_memory.h"
#include "engine/core/engine_context.h"

namespace parlenko {

// Selects a phonebook memory (Sim .. Service) for reading. Sim is the full
// read the user starts: it clears the phonebook list and view and deletes
// the cache (both kept during a restore), resets the counters, disables the
// memories' view buttons and sets the phonebook mode. The others go on with
// the next memory. Does nothing while disconnected.
void RefreshPhonebook(EngineContext& ctx, PhoneMemory memory);

// The phonebook page's summary with the capacities known now.
void ShowPhonebookSummary(EngineContext& ctx);

// Selects a call list (Dialled .. Missed) for reading. Dialled starts the
// read of all three and empties the lists first. Does nothing while
// disconnected.
void RefreshCalls(EngineContext& ctx, PhoneMemory list);

}  // namespace parlenko
