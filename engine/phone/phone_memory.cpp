#include "engine/phone/phone_memory.h"

#include "exchange/formats/phonebook_file.h"

namespace parlenko {

const std::array<PhoneMemoryInfo, 7> kPhoneMemories = {{
    {PhoneMemory::Sim, "SM", exchange::kSimCardLocation},
    {PhoneMemory::Phone, "ME", exchange::kMobileMemoryLocation},
    {PhoneMemory::Own, "ON", exchange::kOwnNumbersLocation},
    {PhoneMemory::Service, "SD", exchange::kServiceNumbersLocation},
    {PhoneMemory::Dialled, "LD", "Dialled calls"},
    {PhoneMemory::Received, "RC", "Received calls"},
    {PhoneMemory::Missed, "MC", "Missed calls"},
}};

const PhoneMemoryInfo& MemoryInfo(PhoneMemory memory) {
    return kPhoneMemories[static_cast<std::size_t>(MemoryIndex(memory) - 1)];
}

std::optional<PhoneMemory> MemoryFromCode(std::string_view code) {
    for (const auto& m : kPhoneMemories)
        if (m.code == code) return m.memory;
    return std::nullopt;
}

std::optional<PhoneMemory> MemoryFromIndex(int index) {
    if (index < 1 || index > static_cast<int>(kPhoneMemories.size())) return std::nullopt;
    return static_cast<PhoneMemory>(index);
}

std::optional<PhoneMemory> PhonebookMemoryFromCaption(std::string_view caption) {
    for (auto m : kPhonebookMemories)
        if (MemoryCaption(m) == caption) return m;
    return std::nullopt;
}

std::optional<PhoneMemory> NextInRead(PhoneMemory memory) {
    if (memory == PhoneMemory::Service || memory == PhoneMemory::Missed) return std::nullopt;
    return static_cast<PhoneMemory>(MemoryIndex(memory) + 1);
}

}  // namespace parlenko
