#pragma once
// Starting the phonebook entry operations of the page and the entry dialog:
// save (a new entry or an edit), delete and move. Each keeps what it acts on
// as the pending operation (phonebook_op.h) and selects the memory; the
// receive actions send the write or delete on the selection's "OK", and the
// write answers (phonebook_read.h) complete it. All do nothing while the
// port is closed.
//
// A move writes the entry into its target first and deletes the old
// position only after that write's "OK"; a move onto the entry's own memory
// and position is a plain save.
//
// The engine builds the write from the entry's values (entry_line.h).
// Service numbers and the call lists are never written: such a request is
// refused with the page's text, and so are values that make no "AT+CPBW="
// command for the entry's position (a number without a number character, a
// position outside 1..65535).

#include "engine/phone/phone_memory.h"
#include "engine/phonebook/phonebook_views.h"
#include "engine/core/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

// Saves entry into its memory at its position.
void SavePhonebookEntry(EngineContext& ctx, const PhonebookEntryValues& entry);
// Deletes the entry at position ("7" or "007") of memory.
void DeletePhonebookEntry(EngineContext& ctx, PhoneMemory memory, std::string_view position);
// Moves the entry at fromPosition of from into entry's memory and position,
// written with entry's values.
void MovePhonebookEntry(EngineContext& ctx, PhoneMemory from, std::string_view fromPosition,
                        const PhonebookEntryValues& entry);

}  // namespace parlenko
