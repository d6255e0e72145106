#pragma once
// The phonebook entry operation in flight: at most one. The engine's save,
// delete and move calls (entry_ops.h) set it and select the memory; the
// selection's "OK" sends its command; the "OK" of "AT+CPBW=" completes it (a
// move's write selects the old memory for its delete); a failure ("ERROR",
// a "+CME ERROR:" code), the exchange time-out or a new full read drops it
// (ClearPhonebookOp).

#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"
#include "engine/phonebook/backup_view.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace parlenko {

// Save an entry: on the selection's "OK" send WriteLine ("AT+CPBW=7,...\r").
struct WritePending {
    std::string WriteLine;
    AListIme Entry;  // the entry as stored once written (Location = memory caption)
};

// Delete an entry: on the selection's "OK" send "AT+CPBW=" and PositionText.
struct DeletePending {
    PhoneMemory Memory = PhoneMemory::Sim;  // memory of the entry deleted
    std::string PositionText;
};

// Move an entry: write it into Target first, and only after that write's
// "OK" delete it from its old memory and position, so that a failed write
// loses nothing.
struct MoveEntry {
    DeletePending From;
    PhoneMemory Target = PhoneMemory::Sim;
    WritePending To;
    bool Written = false;  // the write is done; the delete is what waits now
};

// A restore run of the backup wizard (restore_step.h). Each entry it writes
// (or position it clears) is one step; Step is the one in flight. The run
// ends when every chosen memory is done, on the time-out, when the port
// closes, or at the next answer after a stop request.
struct Restoring {
    std::optional<std::variant<WritePending, DeletePending>> Step;
    std::vector<RestoreRow> Rows;    // chosen entries not yet sent, in file order
    std::optional<RestoreRow> Sent;  // the entry of the write waiting for its answer
    RestoreOutcome Outcome;          // counted as the answers come
    bool StopRequested = false;      // the wizard closed: stop at the next answer
};

using PhonebookOp = std::variant<std::monostate, WritePending, DeletePending, MoveEntry, Restoring>;

// The write or delete that waits for a memory selection, if any.
inline const WritePending* PendingWrite(const PhonebookOp& op) {
    if (const auto* w = std::get_if<WritePending>(&op)) return w;
    if (const auto* m = std::get_if<MoveEntry>(&op); m && !m->Written) return &m->To;
    if (const auto* r = std::get_if<Restoring>(&op); r && r->Step)
        return std::get_if<WritePending>(&*r->Step);
    return nullptr;
}
inline const DeletePending* PendingDelete(const PhonebookOp& op) {
    if (const auto* d = std::get_if<DeletePending>(&op)) return d;
    if (const auto* m = std::get_if<MoveEntry>(&op); m && m->Written) return &m->From;
    if (const auto* r = std::get_if<Restoring>(&op); r && r->Step)
        return std::get_if<DeletePending>(&*r->Step);
    return nullptr;
}
inline bool IsRestoring(const PhonebookOp& op) { return std::holds_alternative<Restoring>(op); }

// Drops the operation in flight. A restore run stays (it ends by its own
// rules, restore_step.h); only its step is dropped.
inline void ClearPhonebookOp(PhonebookOp& op) {
    if (auto* r = std::get_if<Restoring>(&op)) r->Step.reset();
    else op = std::monostate{};
}

}  // namespace parlenko
