#pragma once
// The phonebook cache "Phonebook.dat" in the data folder: the last phonebook
// read that ran to its end. A full read leaves the file alone while it runs
// and writes it whole from PhonebookList at its end, so a read that stops
// before (a silent phone, a closed port, the program ended) keeps the
// previous file as it was; after that, each entry change (a save, a move, a
// delete) writes it whole from the list again, so the file never drifts from
// the list. The list is loaded from it at start-up. Every write replaces the
// file atomically (the file format layer does it); a failed write is
// reported in one message box per read or entry change. Without a data
// folder (an empty Options.DataDir) nothing is read or written.

#include "engine/phone/records.h"
#include "engine/core/engine_context.h"

namespace parlenko {

// Writes the cache from PhonebookList.
void SavePhonebookCache(EngineContext& ctx);

// At start-up: PhonebookList from the cache (what is sound of a damaged
// file, and one message saying how many records were left out), the view
// emptied, each memory's view button enabled when the cache holds an entry
// of it. PhonebookLoaded stays false: the capacities are unknown until the
// phone is read.
void LoadPhonebookCache(EngineContext& ctx);

}  // namespace parlenko
