#pragma once
// A stream on a file. The sharing bits of the mode have no meaning here
// (POSIX files have no share modes) and are ignored.

#include "components/midi/stream.h"

#include <string>

namespace parlenko::midi {

class TFileStream : public TStream {
public:
    // fmCreate creates (or empties) the file for reading and writing; otherwise
    // the access bits choose read, write or read-write. Failures raise
    // EFCreateError "Cannot create file NAME" or EFOpenError "Cannot open file NAME".
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;

private:
    int fd_ = -1;
};

}  // namespace parlenko::midi
