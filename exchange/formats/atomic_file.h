#pragma once
// Whole-file reads and writes for the program's data files. A file is never
// left half written: the new contents go to a temporary file in the same
// folder, are flushed to disk and then renamed over the old file. A failure
// leaves the old file as it was and comes back as an English text for the
// caller's message box; nothing here throws for an input/output error.

#include <cstddef>
#include <optional>
#include <span>
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

// The temporary file of a write to path: path + ".tmp" + the writer's
// process id + "_" + a running number ("Phonebook.dat.tmp4711_0").
std::string TempFileName(const std::string& path, long processId, unsigned number);
// Whether name (a bare file name) is that of a temporary file of a write to
// a file named target in the same folder.
bool IsTempFileOf(std::string_view name, std::string_view target);
// Removes from folder the temporary files that writes to the files named in
// targets left behind (the program was killed during a write): only regular
// files named exactly so, nothing else. Returns how many were removed.
std::size_t RemoveStaleTempFiles(const std::string& folder,
                                 std::span<const std::string_view> targets);

// Deletes path; a file that is already gone is no error.
WriteResult RemoveFile(const std::string& path);

// folder + name, with a '/' between them unless folder is empty or ends with one.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace parlenko::exchange
