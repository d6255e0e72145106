#pragma once
// What the phonebook and call-list reads remember between two answers: the
// loop counters, the per-memory capacities and free positions, and the texts
// of the progress window. One member of EngineState (PhonebookRead).

#include "engine/phone/records.h"
#include "engine/phonebook/phonebook_views.h"
#include "engine/session/progress_window.h"

#include <string>
#include <vector>

namespace parlenko {

struct PhonebookReadState {
    // The loop over the positions of the memory being read.
    int ReadPosition = 1;  // position asked last, from 1
    int ReadCount = 0;     // entries found (a restore counts its writes here)
    int ReadUsed = 0;      // used count of the storage answer
    int ReadCapacity = 0;  // capacity of the storage answer

    // Per-memory counters from each storage answer.
    int SimCapacity = 0;
    int SimUsed = 0;
    int PhoneCapacity = 0;
    int PhoneUsed = 0;
    int OwnCapacity = 0;
    int OwnUsed = 0;
    int ServiceCapacity = 0;

    // One line per position of the memory, in order: line k holds the
    // three-digit text of position k+1 while it is free, "" once it is used.
    std::vector<std::string> SimFreePositions;
    std::vector<std::string> PhoneFreePositions;
    std::vector<std::string> OwnFreePositions;

    // The memory answered its selection (its view button is enabled).
    bool SimLoaded = false;
    bool PhoneLoaded = false;
    bool OwnLoaded = false;
    bool ServiceLoaded = false;

    // Start the SMS read once the phonebook read has finished.
    bool ReadSmsAfterPhonebook = false;
    // The backup wizard re-reads the phonebook: it mirrors the progress and
    // writes its file at the end (the progress window is not shown).
    bool BackupRefreshing = false;
    // A failed write of the cache was reported during this read (one message
    // box per read, not one per entry).
    bool CacheErrorReported = false;

    // Entry operations of the page and the entry dialog.
    int EntryMemory = 0;   // 1 SIM, 2 phone, 3 own: memory of the entry deleted or moved
    int TargetMemory = 0;  // memory chosen in the entry dialog
    AListIme SavedEntry;   // the entry dialog's values of a save (Location = memory text)

    // The backup wizard's restore run.
    int RestorePosition = 1;
    int RestoreSimCount = 0;  // entries chosen for each memory
    int RestorePhoneCount = 0;
    int RestoreOwnCount = 0;
    int RestoreSimWritten = 0;  // entries written to each memory
    int RestorePhoneWritten = 0;
    int RestoreOwnWritten = 0;
    bool RestoreOverwrite = false;  // restore by overwriting from position 1 (RestoreMob1RB)

    // Texts of the progress window and of the wizard's mirror.
    ProgressWindowView Progress;
    BackupReadView Backup;
};

}  // namespace parlenko
