#include "exchange/formats/phonebook_file.h"

#include <algorithm>
#include <cstring>

namespace parlenko::exchange {
namespace {

template <std::size_t N>
void PutField(std::uint8_t& length, char (&field)[N], std::string_view text) {
    std::size_t n = std::min(text.size(), N);
    length = static_cast<std::uint8_t>(n);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), n);
}

template <std::size_t N>
bool GetField(std::uint8_t length, const char (&field)[N], std::string& text) {
    if (length > N) return false;
    text.assign(field, length);
    return true;
}

std::size_t WholeRecords(std::size_t bytes) { return bytes / kPhonebookRecordSize; }

}  // namespace

TPhonebookFileRecord MakePhonebookRecord(std::string_view name, std::string_view phone,
                                         std::string_view location, std::string_view position) {
    TPhonebookFileRecord r{};
    PutField(r.NameLength, r.Name, name);
    PutField(r.PhoneLength, r.Phone, phone);
    PutField(r.LocationLength, r.Location, location);
    PutField(r.PositionLength, r.Position, position);
    return r;
}

std::optional<PhonebookFileEntry> ReadPhonebookRecord(const TPhonebookFileRecord& r) {
    PhonebookFileEntry e;
    if (!GetField(r.NameLength, r.Name, e.Name) || !GetField(r.PhoneLength, r.Phone, e.Phone) ||
        !GetField(r.LocationLength, r.Location, e.Location) ||
        !GetField(r.PositionLength, r.Position, e.Position))
        return std::nullopt;
    return e;
}

std::string RecordBytes(const TPhonebookFileRecord& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

TPhonebookFileRecord RecordFromBytes(std::string_view bytes76) {
    TPhonebookFileRecord r{};
    std::memcpy(&r, bytes76.data(), std::min(bytes76.size(), sizeof r));
    return r;
}

std::string EncodePhonebookRecords(const std::vector<PhonebookFileEntry>& entries) {
    std::string bytes;
    bytes.reserve(entries.size() * kPhonebookRecordSize);
    for (const auto& e : entries)
        bytes += RecordBytes(MakePhonebookRecord(e.Name, e.Phone, e.Location, e.Position));
    return bytes;
}

PhonebookFileContents DecodePhonebookRecords(std::string_view bytes) {
    PhonebookFileContents out;
    std::size_t count = WholeRecords(bytes.size());
    out.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto entry = ReadPhonebookRecord(
            RecordFromBytes(bytes.substr(i * kPhonebookRecordSize, kPhonebookRecordSize)));
        if (entry) out.entries.push_back(std::move(*entry));
        else ++out.damagedRecords;
    }
    if (bytes.size() % kPhonebookRecordSize != 0) ++out.damagedRecords;
    return out;
}

PhonebookFileContents ReadPhonebookRecordsFile(const std::string& path) {
    FileRead read = ReadDataFile(path, kMaxPhonebookRecords * kPhonebookRecordSize);
    if (!read.ok()) {
        PhonebookFileContents none;
        none.error = std::move(read.error);
        return none;
    }
    return DecodePhonebookRecords(read.bytes);
}

WriteResult WritePhonebookRecordsFile(const std::string& path,
                                      const std::vector<PhonebookFileEntry>& entries) {
    return WriteFileAtomically(path, EncodePhonebookRecords(entries));
}

std::string PhonebookFilePath(const std::string& dataDir) {
    return JoinPath(dataDir, kPhonebookFileName);
}

PhonebookFileContents LoadPhonebookFile(const std::string& dataDir) {
    return ReadPhonebookRecordsFile(PhonebookFilePath(dataDir));
}

WriteResult SavePhonebookFile(const std::string& dataDir,
                              const std::vector<PhonebookFileEntry>& entries) {
    return WritePhonebookRecordsFile(PhonebookFilePath(dataDir), entries);
}

WriteResult WritePhonebookRecord(const std::string& dataDir, std::string_view name,
                                 std::string_view phone, std::string_view location,
                                 std::string_view position, long index) {
    const std::string path = PhonebookFilePath(dataDir);
    const std::string record = RecordBytes(MakePhonebookRecord(name, phone, location, position));

    // The whole file is rewritten atomically, so that no moment leaves it
    // cut short: a record replaced at its index, or one appended (behind an
    // incomplete last record, which is dropped so that every later record
    // stays on its 76-byte boundary).
    std::string bytes;
    if (FileExists(path)) {
        auto read = ReadFileBytes(path);
        if (!read) return {"Could not read \"" + path + "\""};
        bytes = std::move(*read);
    }
    bytes.resize(WholeRecords(bytes.size()) * kPhonebookRecordSize);
    std::size_t count = WholeRecords(bytes.size());
    if (index < 0 || static_cast<std::size_t>(index) == count) {
        bytes += record;
    } else if (static_cast<std::size_t>(index) < count) {
        bytes.replace(static_cast<std::size_t>(index) * kPhonebookRecordSize, kPhonebookRecordSize,
                      record);
    } else {
        return {"Could not write \"" + path + "\": record " + std::to_string(index) +
                " is past the end of the file (" + std::to_string(count) + " records)"};
    }
    return WriteFileAtomically(path, bytes);
}

WriteResult DeletePhonebookFile(const std::string& dataDir) {
    return RemoveFile(PhonebookFilePath(dataDir));
}

}  // namespace parlenko::exchange
