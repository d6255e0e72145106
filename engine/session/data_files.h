#pragma once
// The program's own files in the data folder: the phonebook cache, the cell
// names, the list of backups and the operator logo read from the phone.

#include "engine/core/engine_context.h"

namespace parlenko {

// At start-up, before anything is read or written: the temporary files that
// a write of one of those files, or of a backup in the folder "Backup", left
// behind when the program was killed in the middle of it are removed.
// Nothing else in the folders is touched.
void RemoveStaleTempFiles(EngineContext& ctx);

}  // namespace parlenko
