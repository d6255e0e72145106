#pragma once
// The byte stream the MIDI model reads from: sequential Read/Write with a
// position that Seek moves. ReadBuffer/WriteBuffer insist on the whole count.

#include "components/midi/midi_globals.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace parlenko::midi {

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// A read that could not deliver every byte asked for: "Stream read error".
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Seek origins.
inline constexpr int soFromBeginning = 0;
inline constexpr int soFromCurrent = 1;
inline constexpr int soFromEnd = 2;

// File modes: fmCreate, or an access value combined with a sharing value.
inline constexpr unsigned fmCreate = 0xFFFF;
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyNone = 0x0040;

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Copies up to count bytes from the position; returns how many were read.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes up to count bytes at the position; returns how many were written.
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Moves the position; returns the new position, or -1 when it cannot move.
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
    // Where the readable bytes end (by default: seeks to the end and back).
    virtual std::int64_t Size();

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
    // Bytes between the position and the end (0 when the position is past it).
    std::int64_t Remaining();

    // Reads exactly count bytes or raises EReadError.
    void ReadBuffer(void* buffer, std::size_t count);
    // Writes exactly count bytes or raises EWriteError.
    void WriteBuffer(const void* buffer, std::size_t count);
    // Copies count bytes from source's position; count 0 copies the whole
    // source from its start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

}  // namespace parlenko::midi
