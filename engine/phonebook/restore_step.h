#pragma once
// The backup wizard's restore run: the chosen entries of a backup written
// back into the phone, memory by memory (SIM card, mobile memory, own
// numbers; a memory without chosen entries is never selected). Each step
// sends one "AT+CPBW=": in free-positions mode a write at the first free
// position of the memory; in overwrite mode writes from position 1 on and,
// once the memory's entries are written, deletes up to its capacity. The
// "OK" of each memory selection and each answer to a step call
// RestoreNextEntry; a refused step is counted and the run goes on.

#include "engine/phonebook/backup_view.h"
#include "engine/core/engine_context.h"

#include <string>
#include <vector>

namespace parlenko {

// Starts a run over rows (file order; rows of other memories are dropped):
// sets the per-memory counts and selects the first memory with rows. False
// when the port is closed (nothing starts). With no rows the run ends at once.
bool StartRestore(EngineContext& ctx, const std::vector<RestoreRow>& rows, RestoreMode mode);

// One step: the next write or delete of CurrentMemory, or, when its steps
// are done, the next memory or the end of the run. A stop request ends the
// run here. A row that the entry dialog could not save either
// (IsWritableEntry) is not sent: it counts as failed and the next row
// follows at once. Rows a memory has no position left for are not written
// ("Memory full"); a run that stops lists the rows it did not send.
void RestoreNextEntry(EngineContext& ctx);

// The phone refused the step in flight ("ERROR", "+CME ERROR:"): counted as
// a failed step (a write's entry is listed with reason, the phone's text),
// and the run goes on.
void RestoreStepFailed(EngineContext& ctx, const std::string& reason);
// The phone refused the selection of CurrentMemory: its chosen entries count
// as failed (listed with reason), and the run goes on with the next memory
// that has entries.
void RestoreSelectionFailed(EngineContext& ctx, const std::string& reason);
// The time-out or a closed port: the run ends, stopped.
void AbortRestore(EngineContext& ctx);
// The wizard closes: a run in flight stops at the next answer (or the
// time-out); the phonebook is read again after a run.
void RestoreWizardClosed(EngineContext& ctx);

// The write line of one entry at position ("4" or "004"):
// AT+CPBW=<position>,"<number>",,"<name>" and CR (at::CpbwEntry), the name
// escaped for the phone and a VIP's "!" put back when the name is shorter
// than 16 characters; "" when the number cannot go into the line.
std::string MakeCpbwLine(const std::string& position, const RestoreRow& row);

// Whether the rows fit: empty when they do, else the message for the
// wizard's box. Free-positions mode counts the free positions (capacity less
// the entries of PhonebookList); overwrite mode the capacity.
std::string CheckFreeSpace(const EngineContext& ctx, const std::vector<RestoreRow>& rows,
                           RestoreMode mode);

}  // namespace parlenko
