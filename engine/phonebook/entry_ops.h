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
// Service numbers and the call lists are never written: such a request is
// refused with the page's text, and so is a write line that is not one
// "AT+CPBW=" command for the entry's position.

#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"
#include "engine/session/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

// Saves entry into memory at the position of writeLine ("AT+CPBW=7,...\r",
// built by the entry dialog); entry holds the dialog's values as saved.
void SavePhonebookEntry(EngineContext& ctx, PhoneMemory memory, const std::string& writeLine,
                        AListIme entry);
// Deletes the entry at position ("7" or "007") of memory.
void DeletePhonebookEntry(EngineContext& ctx, PhoneMemory memory, std::string_view position);
// Moves the entry at fromPosition of from into target, written with
// writeLine as entry.
void MovePhonebookEntry(EngineContext& ctx, PhoneMemory from, std::string_view fromPosition,
                        PhoneMemory target, const std::string& writeLine, AListIme entry);

}  // namespace parlenko
