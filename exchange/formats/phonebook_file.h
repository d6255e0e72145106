#pragma once
// "Phonebook.dat", the phonebook cache in the data folder (the last phonebook
// read from the phone, shown at the next start before any connection), and the
// record format it shares with the ".pbb" backup files.
//
// A file of fixed 76-byte records, no header: four length-prefixed strings,
// each a length byte followed by the field's full width of Windows-1252 bytes.
// Texts longer than a field are cut; the bytes after the text are zeros.

#include "exchange/formats/atomic_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange {

inline constexpr char kPhonebookFileName[] = "Phonebook.dat";

// The memories as the records name them.
inline constexpr char kSimCardLocation[] = "SIM card";
inline constexpr char kMobileMemoryLocation[] = "Mobile memory";
inline constexpr char kOwnNumbersLocation[] = "Own numbers";
inline constexpr char kServiceNumbersLocation[] = "Service numbers";

// One record exactly as it lies in the file.
struct TPhonebookFileRecord {
    std::uint8_t NameLength;
    char Name[16];  // as stored in the phone, a trailing "!" marks a VIP
    std::uint8_t PhoneLength;
    char Phone[32];
    std::uint8_t LocationLength;
    char Location[20];  // "SIM card", "Mobile memory", "Own numbers", "Service numbers"
    std::uint8_t PositionLength;
    char Position[4];  // three digits, "001" upward
};
inline constexpr std::size_t kPhonebookRecordSize = 76;
static_assert(sizeof(TPhonebookFileRecord) == kPhonebookRecordSize);

// One entry as the program holds it.
struct PhonebookFileEntry {
    std::string Name;
    std::string Phone;
    std::string Location;
    std::string Position;
    bool operator==(const PhonebookFileEntry&) const = default;
};

// The record for four texts, each cut to its field; unused bytes are zero.
TPhonebookFileRecord MakePhonebookRecord(std::string_view name, std::string_view phone,
                                         std::string_view location, std::string_view position);
// The texts of a record; nullopt when a length byte is larger than its field.
std::optional<PhonebookFileEntry> ReadPhonebookRecord(const TPhonebookFileRecord& record);

// The 76 bytes of a record, and a record from 76 bytes.
std::string RecordBytes(const TPhonebookFileRecord& record);
TPhonebookFileRecord RecordFromBytes(std::string_view bytes76);

// A whole file image: one record per entry in order (no entries: no bytes).
std::string EncodePhonebookRecords(const std::vector<PhonebookFileEntry>& entries);

// What a damaged file still gives: every sound record in file order. Records
// with a length byte larger than their field are skipped, and an incomplete
// last record (a size that is not a multiple of 76) is ignored.
struct PhonebookFileContents {
    std::vector<PhonebookFileEntry> entries;
    std::size_t damagedRecords = 0;  // skipped records, an incomplete tail included
    // Why the file could not be read at all (it then gives no entries); empty
    // when it was read or is missing.
    std::string error;
};
// More records than any phone holds: a file this long is not one of ours.
inline constexpr std::size_t kMaxPhonebookRecords = 10000;
PhonebookFileContents DecodePhonebookRecords(std::string_view bytes);

// Any file of these records (the cache or a backup) by its full path.
// A missing file reads as no records; one that cannot be read (not a
// regular file, too long, a read error) as no records with its error.
PhonebookFileContents ReadPhonebookRecordsFile(const std::string& path);
WriteResult WritePhonebookRecordsFile(const std::string& path,
                                      const std::vector<PhonebookFileEntry>& entries);

// The cache in the data folder dataDir.
std::string PhonebookFilePath(const std::string& dataDir);
// The cache at start-up; a missing or damaged file never fails, it gives what is sound.
PhonebookFileContents LoadPhonebookFile(const std::string& dataDir);
// Replaces the cache with one record per entry, in order.
WriteResult SavePhonebookFile(const std::string& dataDir,
                              const std::vector<PhonebookFileEntry>& entries);
// One entry changed: the file rewritten atomically with one record more or
// one replaced. Index -1 appends a record at the end (the file is created
// when missing). Index >= 0 replaces record Index, and Index equal to the
// record count appends; beyond that it is an error.
WriteResult WritePhonebookRecord(const std::string& dataDir, std::string_view name,
                                 std::string_view phone, std::string_view location,
                                 std::string_view position, long index = -1);
// Deletes the cache; a missing file is no error.
WriteResult DeletePhonebookFile(const std::string& dataDir);

}  // namespace parlenko::exchange
