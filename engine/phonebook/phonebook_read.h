#pragma once
// The phonebook and call-list read loops: one step per answer. The receive
// actions recognise an answer by its echoed command and call the step with
// the answer line; the step updates the lists, the pages' views,
// the progress window and the phonebook cache, and sends the next
// "AT+CPBR=" or selects the next memory.
//
// A full phonebook read runs SIM card -> mobile memory -> own numbers ->
// service numbers and then runs the end-of-read steps (close the progress
// window, sort the view, a pending SMS read, a running backup) once, however
// the last memory answered. A call-list read runs dialled -> received ->
// missed calls. Positions are asked one per command from 1 upward until as
// many entries as the memory's used count were found, and never past
// max(capacity, used) positions.

#include "engine/phone/phone_memory.h"
#include "engine/core/engine_context.h"
#include "engine/core/read_progress.h"
#include "engine/phonebook/phonebook_views.h"

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// What the final result of "AT+CPBR=" brought.
enum class CpbrAnswer {
    Entry = 0,  // an entry line
    Empty = 1,  // the command's "OK" came with no entry line
};

// The phone memory named by CurrentMemory; nullopt for a message memory
// code or any other text.
std::optional<PhoneMemory> CurrentPhoneMemory(const CoreState& state);

// The storage answer of "SM", "ME", "ON" or "SD" (+CPBS: "SM",used,capacity).
void HandlePhonebookCpbsAnswer(EngineContext& ctx, std::string_view line);
// One phonebook position.
void HandlePhonebookCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind);
// The storage answer of "LD", "RC" or "MC".
void HandleCallListCpbsAnswer(EngineContext& ctx, std::string_view line);
// One call-list position.
void HandleCallListCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind);
// The "OK" of "AT+CPBW=" (its echoed line): after a save, a move, a delete
// and each step of a restore.
void HandlePhonebookWriteAnswer(EngineContext& ctx, std::string_view echo);

// The end of a full phonebook read: close the progress window, hand a
// running backup its data, sort the view, start a pending SMS read.
void FinishPhonebookRead(EngineContext& ctx);

// A phonebook command was refused, timed out or the port closed: a full
// read that ran has stopped, and the list shows again what it showed before
// the read began (the cache's entries); the backup wizard's re-read writes
// nothing. True when a full read ran.
bool StopPhonebookRead(EngineContext& ctx);
// The same for the call lists: a read that ran stops and the lists show
// again what they showed before it. True when one ran.
bool StopCallListRead(EngineContext& ctx);
// A call list refused its selection: the read goes on with the next list,
// or ends after the missed calls.
void CallListRefused(EngineContext& ctx, PhoneMemory list);

// The phonebook view's row of an entry.
PhonebookRow PhonebookRowOf(const AListIme& entry);

}  // namespace parlenko
