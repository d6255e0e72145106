#pragma once
// What the phonebook and call-list reads remember between two answers: the
// loop counters, the per-memory capacities and free positions, and the texts
// of the progress window (PhonebookRead), and the entry operation in flight
// with the list of entries (Phonebook).

#include "engine/core/engine_context.h"
#include "engine/phone/records.h"
#include "engine/phonebook/phonebook_op.h"
#include "engine/phonebook/backup_view.h"
#include "engine/phonebook/phonebook_views.h"
#include "engine/core/progress_window.h"

#include <array>
#include <string>
#include <vector>

namespace parlenko {

// What the phonebook read and the entry operations keep for one memory.
struct MemoryCounters {
    int Capacity = 0;  // from the storage answer
    // The memory answered its selection (its view button is enabled).
    bool Loaded = false;
    // One line per position of the memory, in order: line k holds the
    // three-digit text of position k+1 while it is free, "" once it is used.
    // Writable memories only.
    std::vector<std::string> FreePositions;
    int RestoreCount = 0;  // entries the backup wizard chose to restore here
};

// The three call lists as their views show them (Dialled, Received, Missed),
// with the capacities their labels show.
struct CallLists {
    std::array<std::vector<CallListRow>, 3> Rows;
    std::array<int, 3> Capacities{};
};

struct PhonebookReadState {
    // The loop over the positions of the memory being read.
    int ReadPosition = 1;  // position asked last, from 1
    int ReadCount = 0;     // entries found (a restore counts its writes here)
    int ReadUsed = 0;      // used count of the storage answer
    int ReadCapacity = 0;  // capacity of the storage answer

    // Per-memory counters of the phonebook memories, indexed by PhoneMemory
    // through Of(), which takes Sim .. Service only; the call lists keep none.
    std::array<MemoryCounters, kPhonebookMemories.size()> Memories;
    MemoryCounters& Of(PhoneMemory m) {
        return Memories[static_cast<std::size_t>(MemoryIndex(m) - 1)];
    }
    const MemoryCounters& Of(PhoneMemory m) const {
        return Memories[static_cast<std::size_t>(MemoryIndex(m) - 1)];
    }

    // Start the SMS read once the phonebook read has finished.
    bool ReadSmsAfterPhonebook = false;
    // The backup wizard re-reads the phonebook: it mirrors the progress and
    // writes its file at the end (the progress window is not shown).
    bool BackupRefreshing = false;
    // A failed write of the cache was reported during this read (one message
    // box per read, not one per entry).
    bool CacheErrorReported = false;

    // The backup wizard's restore run (its per-memory counts are in Memories,
    // its rows and outcome in the phonebook operation).
    int RestorePosition = 1;
    bool RestoreOverwrite = false;  // restore by overwriting from position 1 (RestoreMob1RB)
    // A run ended while the wizard was open: closing it reads the phonebook.
    bool RestoreRan = false;
    RestoreProgressView Restore;  // the wizard's restore page

    // The call lists the last read filled, and what they showed before the
    // running read began (put back when it fails).
    CallLists Calls;
    CallLists CallsBeforeRead;
    bool CallListsReadRunning = false;

    // Texts of the progress window and of the wizard's mirror.
    ProgressWindowView Progress;
    BackupReadView Backup;
};

// Phonebook operations that run over a memory selection.
struct PhonebookOpState {
    PhonebookOp Op;                // the entry operation in flight (phonebook_op.h)
    bool PhonebookLoaded = false;  // the last full read ran to its end
    // The last full read ran to its end, and no restore has changed the
    // phone since: the list is the phone's (a restore needs it).
    bool PhonebookReadComplete = false;
    // A full read was started and has not run to its end (it is running, or
    // it stopped): the list holds part of the phone's entries, while the
    // cache still holds the last complete read.
    bool PhonebookListPartial = false;
    // A full read runs now: from its start to its end or its stop.
    bool PhonebookReadRunning = false;
    std::vector<AListIme> PhonebookList;

    // What the list showed before the running full read began: put back
    // when the read fails, so that the list agrees with the cache again.
    struct ListBeforeRead {
        std::vector<AListIme> List;
        bool Loaded = false;
        bool ReadComplete = false;
        bool ListPartial = false;
        std::array<MemoryCounters, kPhonebookMemories.size()> Memories{};
    };
    ListBeforeRead BeforeRead;
};

inline PhonebookOpState& Phonebook(const EngineContext& ctx) {
    return ctx.topics.Get<PhonebookOpState>();
}
inline PhonebookReadState& PhonebookRead(const EngineContext& ctx) {
    return ctx.topics.Get<PhonebookReadState>();
}

}  // namespace parlenko
