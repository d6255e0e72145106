#pragma once
// What the phonebook and call-list reads show in the windows: the rows they
// add to the views and the backup wizard's mirror of a phonebook read; and
// the entry the entry dialog hands the engine to save. The pages' views
// (phonebook_view.h, call_lists_view.h, backup_view.h) carry these typed
// values.

#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"

#include <string>

namespace parlenko {

// Row images of the phonebook and call-list views.
inline constexpr int kImageEntry = 3;     // an ordinary phonebook entry
inline constexpr int kImageVip = 4;       // a VIP entry (stored name ends in "!")
inline constexpr int kImageCall = 28;     // a row of a call list
inline constexpr int kImageService = 33;  // a service number

// One row of the phonebook view (ImenikList).
struct PhonebookRow {
    std::string Caption;  // the name without the VIP "!"
    std::string Number;
    std::string Memory;    // "SIM card", "Mobile memory", "Own numbers", "Service numbers"
    std::string Position;  // three digits
    int Image = kImageEntry;
    bool operator==(const PhonebookRow&) const = default;
};

// One call of a call list, as the read adds it to its view: the caller's
// stored name (without the VIP "!"; empty when the number has no entry) and
// the number, Windows-1252.
struct CallListRow {
    std::string Caption;
    std::string Number;
    int Image = kImageCall;
};

// An entry as the entry dialog saves it (PhoneEngine::SavePhonebookEntry,
// MovePhonebookEntry): the memory and position it goes to, the name and
// number as typed (Windows-1252) and the VIP mark. The engine builds the
// phone's command from these.
struct PhonebookEntryValues {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Position;  // as the dialog shows it ("006")
    std::string Name;      // without the VIP "!"
    std::string Number;
    bool Vip = false;  // stored with the VIP mark (VipName)
};

// The three call-list views.
enum class CallListView {
    Dialled,   // CallsOutList, "LD"
    Received,  // CallsInList, "RC"
    Missed,    // CallsMissList, "MC"
};

// The phonebook memories of the view buttons SimNumTB .. SerNumTB: Sim,
// Phone, Own, Service of the one memory type.
using PhonebookMemory = PhoneMemory;

// The backup wizard mirrors a phonebook read on its page (BackupForm).
struct BackupReadView {
    std::string MemLab;     // memory text
    std::string CapLab;     // capacity
    std::string WritenLab;  // used
    std::string PosLab;     // position text
    int BackupProBar = 0;
    std::string PercLab;  // "38%"
};

}  // namespace parlenko
