#pragma once
// One step of the backup wizard's restore run: write the next chosen entry,
// or in overwrite mode delete a position past the chosen ones. Called on the
// "OK" of each memory selection of the run and after each answer to one of
// its writes or deletes, until every position of the memory is done.

#include "engine/session/engine_context.h"

namespace parlenko {

// Does nothing yet: the entries chosen for a restore come with the backup
// wizard, which hands them to the engine when it lands. Until then no
// restore run is ever started (nothing sets PhonebookOpState::Restoring in
// the program).
void RestoreNextEntry(EngineContext& ctx);

}  // namespace parlenko
