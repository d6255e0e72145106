#pragma once
// Whole-file reads and writes for the program's data files. A file is never
// left half written: the new contents go to a temporary file in the same
// folder, are flushed to disk and then renamed over the old file. A failure
// leaves the old file as it was and comes back as an English text for the
// caller's message box; nothing here throws for an input/output error.

#include <optional>
#include <string>
#include <string_view>

namespace parlenko::exchange {

// The outcome of a write: an empty error means the file was written.
struct [[nodiscard]] WriteResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

// The whole file as bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// True when something exists at path (a file that may still be unreadable).
bool FileExists(const std::string& path);

// Replaces path with bytes: temporary file beside it, fsync, rename.
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Appends bytes to path (created when missing) in place. When the append
// fails part way the file is cut back to its old size.
WriteResult AppendToFile(const std::string& path, std::string_view bytes);

// Deletes path; a file that is already gone is no error.
WriteResult RemoveFile(const std::string& path);

// folder + name, with a '/' between them unless folder is empty or ends with one.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace parlenko::exchange
