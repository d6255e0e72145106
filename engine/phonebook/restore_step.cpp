#include "engine/phonebook/restore_step.h"

namespace parlenko {

void RestoreNextEntry(EngineContext& ctx) { (void)ctx; }

}  // namespace parlenko
