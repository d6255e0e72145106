#pragma once
// A stream over a RIFF file or a RIFF block in memory that can descend into
// chunks: RIFF chunks have a four-character identifier, a little-endian
// 32-bit size and their data, padded to an even length; "RIFF" and "LIST"
// chunks begin their data with a form type. After a descent the stream
// stands at the chunk's data (past the form type) and ends where the chunk ends.

#include "components/midi/stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko::midi {

// Descent flags: search for a chunk with the identifier, for a "RIFF" chunk
// or for a "LIST" chunk (of the record's form type, any form when it is 0).
inline constexpr unsigned MMIO_FINDCHUNK = 0x0010;
inline constexpr unsigned MMIO_FINDRIFF = 0x0020;
inline constexpr unsigned MMIO_FINDLIST = 0x0040;

// The four characters as a little-endian code, padded with blanks.
std::uint32_t StringToFourCC(std::string_view text);

struct TChunkRecord {
    std::uint32_t ckid = 0;
    std::uint32_t cksize = 0;
    std::uint32_t fccType = 0;
    std::uint32_t dwDataOffset = 0;
    std::uint32_t dwFlags = 0;
};

class TRiffChunkInfo {
public:
    // An ID of any length but 4 or 0 raises "RIFF Chunk ID must be four
    // characters long". For "RIFF" and "LIST" the form type is set to the ID,
    // for other IDs the chunk identifier.
    explicit TRiffChunkInfo(const std::string& id);
    std::string ID;
    TChunkRecord Info;
};

class TRiffStream : public TStream {
public:
    // Reads stop at the end of the innermost chunk descended into.
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    // Positions count from the start of the file or block; -1 when the
    // position would be negative (the position stays).
    std::int64_t Seek(std::int64_t offset, int origin) override;
    // Where reading ends: the innermost chunk's end, else the source's.
    std::int64_t Size() override;

    // Finds the chunk (searching from the position, inside the most recent
    // descent) and stands at its data. Not found: "Unable to descend into ID".
    void Descend(const std::string& id, unsigned flags);
    const std::vector<TRiffChunkInfo>& Chunks() const { return chunks_; }

protected:
    TRiffStream() = default;
    virtual std::size_t ReadAt(std::int64_t position, void* buffer, std::size_t count) = 0;
    virtual std::size_t WriteAt(std::int64_t position, const void* buffer, std::size_t count) = 0;
    virtual std::int64_t SourceSize() = 0;

private:
    bool FindChunk(TChunkRecord& record, unsigned flags);
    // Where a search from the position stops: the end of the source or of
    // the chunk descended into last.
    std::int64_t SearchEnd();
    std::int64_t position_ = 0;
    std::vector<TRiffChunkInfo> chunks_;
};

class TRiffFileStream : public TRiffStream {
public:
    // fmCreate creates the file for writing; otherwise access 1 writes, 2
    // reads and writes, others read, and any sharing bit makes it read only.
    // Failures: EFOpenError "Unable to open NAME", EFCreateError "Unable to create NAME".
    TRiffFileStream(const std::string& fileName, unsigned mode);
    ~TRiffFileStream() override;

protected:
    std::size_t ReadAt(std::int64_t position, void* buffer, std::size_t count) override;
    std::size_t WriteAt(std::int64_t position, const void* buffer, std::size_t count) override;
    std::int64_t SourceSize() override;

private:
    int fd_ = -1;
};

// Reads a block of memory the caller keeps alive; it is never written.
class TRiffMemoryStream : public TRiffStream {
public:
    TRiffMemoryStream(const void* memory, std::size_t size);

protected:
    std::size_t ReadAt(std::int64_t position, void* buffer, std::size_t count) override;
    std::size_t WriteAt(std::int64_t position, const void* buffer, std::size_t count) override;
    std::int64_t SourceSize() override { return static_cast<std::int64_t>(size_); }

private:
    const std::uint8_t* memory_;
    std::size_t size_;
};

}  // namespace parlenko::midi
