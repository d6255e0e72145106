#pragma once
// The phonebook cache "Phonebook.dat" in the data folder, as the engine
// keeps it in step with PhonebookList: one record appended per entry read,
// a record replaced or the whole file rewritten after an entry changed, the
// file deleted when a full read starts, and the list loaded from it at
// start-up. Every write replaces or extends the file safely (the file format
// layer does it); a failed write is reported in one message box per read or
// entry change and never stops the read. Without a data folder (an empty
// Options.DataDir) nothing is read or written.

#include "engine/phone/records.h"
#include "engine/session/engine_context.h"

namespace parlenko {

void AppendToPhonebookCache(EngineContext& ctx, const AListIme& entry);
// Replaces record index (the entry's index in PhonebookList).
void ReplaceInPhonebookCache(EngineContext& ctx, const AListIme& entry, long index);
// Rewrites the cache from PhonebookList.
void SavePhonebookCache(EngineContext& ctx);
void DeletePhonebookCache(EngineContext& ctx);

// At start-up: PhonebookList from the cache (what is sound of a damaged
// file), the view emptied, each memory's view button enabled when the cache
// holds an entry of it. PhonebookLoaded stays false: the capacities are
// unknown until the phone is read.
void LoadPhonebookCache(EngineContext& ctx);

}  // namespace parlenko
