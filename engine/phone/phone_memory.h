#pragma once
// The phone's memories that the phonebook page and the call-list page read:
// four phonebook memories and three call lists. One table gives each its AT
// name ("SM"), its caption ("SIM card") and the number the page commands
// use for it (1 .. 7, the order of a full read).

#include <array>
#include <optional>
#include <string_view>

namespace parlenko {

enum class PhoneMemory {
    Sim = 1,       // "SM"
    Phone = 2,     // "ME"
    Own = 3,       // "ON"
    Service = 4,   // "SD", selected with the vendor command "AT^SPBS="
    Dialled = 5,   // "LD"
    Received = 6,  // "RC"
    Missed = 7,    // "MC"
};

struct PhoneMemoryInfo {
    PhoneMemory memory;
    std::string_view code;     // AT name, between the quotes of "AT+CPBS="
    std::string_view caption;  // shown in the views and stored in the phonebook file
};

// Every memory, in the order of the reads (phonebook first, then call lists).
extern const std::array<PhoneMemoryInfo, 7> kPhoneMemories;

// The phonebook memories, and those of them that the entry dialog writes to
// (they keep used counts and free-position lists).
inline constexpr std::array<PhoneMemory, 4> kPhonebookMemories = {
    PhoneMemory::Sim, PhoneMemory::Phone, PhoneMemory::Own, PhoneMemory::Service};
inline constexpr std::array<PhoneMemory, 3> kWritableMemories = {
    PhoneMemory::Sim, PhoneMemory::Phone, PhoneMemory::Own};

const PhoneMemoryInfo& MemoryInfo(PhoneMemory memory);
inline std::string_view MemoryCode(PhoneMemory memory) { return MemoryInfo(memory).code; }
inline std::string_view MemoryCaption(PhoneMemory memory) { return MemoryInfo(memory).caption; }
inline int MemoryIndex(PhoneMemory memory) { return static_cast<int>(memory); }

std::optional<PhoneMemory> MemoryFromCode(std::string_view code);
std::optional<PhoneMemory> MemoryFromIndex(int index);
// The phonebook memory whose caption this is ("SIM card" .. "Service numbers").
std::optional<PhoneMemory> PhonebookMemoryFromCaption(std::string_view caption);

inline bool IsPhonebookMemory(PhoneMemory m) { return m <= PhoneMemory::Service; }
inline bool IsCallList(PhoneMemory m) { return m >= PhoneMemory::Dialled; }
inline bool IsWritable(PhoneMemory m) { return m <= PhoneMemory::Own; }

// The memory a full read takes up after this one: SIM -> mobile -> own ->
// service, dialled -> received -> missed; nullopt after the last of each.
std::optional<PhoneMemory> NextInRead(PhoneMemory memory);

}  // namespace parlenko
