// fuzz-links: parlenko_exchange_formats
// The phonebook cache and backup files are read back from disk, where any
// bytes may lie: loading never fails, keeps only sound records, and what it
// keeps survives being written and read again unchanged.
#include "exchange/formats/phonebook_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace parlenko::exchange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto loaded = DecodePhonebookRecords(bytes);
    if (loaded.entries.size() + loaded.damagedRecords < size / kPhonebookRecordSize) std::abort();
    for (const auto& e : loaded.entries)
        if (e.Name.size() > 16 || e.Phone.size() > 32 || e.Location.size() > 20 ||
            e.Position.size() > 4)
            std::abort();
    std::string again = EncodePhonebookRecords(loaded.entries);
    if (again.size() != loaded.entries.size() * kPhonebookRecordSize) std::abort();
    auto reloaded = DecodePhonebookRecords(again);
    if (reloaded.entries != loaded.entries || reloaded.damagedRecords != 0) std::abort();
    return 0;
}
