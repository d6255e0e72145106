#pragma once
// Whole-file reads and writes for the program's data files. A file is never
// left half written: the new contents go to a temporary file in the same
// folder, are flushed to disk and then renamed over the old file. A failure
// leaves the old file as it was and comes back as an English text for the
// caller's message box; nothing here throws for an input/output error.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko::exchange {

// The outcome of a write: an empty error means the file was written.
struct [[nodiscard]] WriteResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

// The largest data file read whole (a cache of a few thousand records, a
// list of names): anything bigger is not one of ours.
inline constexpr std::size_t kDataFileLimit = 4u << 20;

// What reading a whole file gave. Only a regular file (or a link to one) is
// opened: a folder, a pipe or a device in its place is an error, as is a
// file larger than the limit, so a read always ends and stays small.
struct FileRead {
    std::string bytes;
    std::string error;     // empty when the bytes are the whole file (or it is missing)
    bool missing = false;  // nothing at path: no error, no bytes
    bool ok() const { return error.empty() && !missing; }
};
FileRead ReadDataFile(const std::string& path, std::size_t maxBytes = kDataFileLimit);

// The whole file as bytes; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path,
                                         std::size_t maxBytes = kDataFileLimit);

// True when something exists at path (a file that may still be unreadable).
bool FileExists(const std::string& path);

// Replaces path with bytes: temporary file beside it, fsync, rename.
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Deletes path; a file that is already gone is no error.
WriteResult RemoveFile(const std::string& path);

// folder + name, with a '/' between them unless folder is empty or ends with one.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace parlenko::exchange
