#pragma once
// The backup wizard: its mirror of a phonebook read, the labels of a restore
// run and the ends of its backup and restore runs, and the values the
// wizard hands to the engine to start a restore. A view call only shows.

#include "engine/phone/phone_memory.h"
#include "engine/phonebook/phonebook_views.h"

#include <string>
#include <vector>

namespace parlenko {

// One entry of a backup chosen for a restore, in the order of the file.
struct RestoreRow {
    PhoneMemory Memory = PhoneMemory::Sim;  // Sim, Phone or Own
    std::string Name;                       // without the VIP "!"
    std::string Number;
    bool Vip = false;  // the stored name ended in "!"
    bool operator==(const RestoreRow&) const = default;
};

enum class RestoreMode {
    Overwrite,      // write from position 1 on and clear the rest of the memory (RestoreMob1RB)
    FreePositions,  // write into free positions only (RestoreMob2RB)
};

// The labels of the wizard's restore page (Restore5).
struct RestoreProgressView {
    std::string RestoreLokLab;  // memory text of the entry being written
    std::string ToWriteLab;     // "47 of 50": steps left of the memory's steps
    bool WritingLabVisible = false;
    std::string RestNameLab;    // "Ana   [0911]"
    std::string RestorePosLab;  // "Saving entry on position no. 4"
    int RestoreProgBar = 0;
    std::string RestPercLab;  // "6%"
};

// A chosen entry that a restore run did not write, and why: the phone's
// own error text ("Text too long", "Memory full"), or what kept it from
// being sent.
struct RestoreFailure {
    RestoreRow Row;
    std::string Reason;
    bool operator==(const RestoreFailure&) const = default;
};

// How a restore run ended.
struct RestoreOutcome {
    int Steps = 0;   // writes and deletes sent, plus entries of a memory that could not be selected
    int Failed = 0;  // of those, the ones the phone refused
    bool NoAnswer = false;  // stopped: the phone did not answer or the port closed
    bool Stopped = false;   // stopped on the user's request (the wizard closed)
    // The chosen entries not written, in the order the run met them (a
    // refused delete is counted in Failed only: it names no entry).
    std::vector<RestoreFailure> NotWritten;
    bool Succeeded() const { return Failed == 0 && !NoAnswer && !Stopped; }
};

class IBackupView {
public:
    virtual ~IBackupView() = default;
    // The wizard's mirror of the read changed.
    virtual void BackupReadProgressChanged(const BackupReadView& view) { (void)view; }
    // The wizard's re-read finished: it writes its file and turns to its last page.
    virtual void BackupRefreshFinished() {}
    // The wizard's re-read stopped before its end (refused, timed out, port
    // closed): nothing is to be written.
    virtual void BackupRefreshFailed() {}
    // A full phonebook read ran to its end (the wizard offers a restore).
    virtual void PhonebookReadFinished() {}
    // The restore page's labels changed (one step sent).
    virtual void RestoreProgressChanged(const RestoreProgressView& view) { (void)view; }
    // The restore run ended: every step answered, or stopped.
    virtual void RestoreFinished(const RestoreOutcome& outcome) { (void)outcome; }
};

}  // namespace parlenko
