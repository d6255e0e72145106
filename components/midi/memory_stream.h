#pragma once
// Streams over a block of memory: TCustomMemoryStream reads a block it is
// given (its subclasses own the memory); TMemoryStream owns a growing block.

#include "components/midi/stream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace parlenko::midi {

class TCustomMemoryStream : public TStream {
public:
    std::size_t Read(void* buffer, std::size_t count) override;
    // A plain memory stream is read-only: nothing is written.
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override { return size_; }

    std::uint8_t* Memory() const { return memory_; }

protected:
    void SetPointer(std::uint8_t* memory, std::int64_t size);
    // Writes the bytes at the position and moves past them; grow(end) is
    // called first when they would pass the end of the stream.
    std::size_t WriteGrowing(const void* buffer, std::size_t count,
                             const std::function<void(std::int64_t)>& grow);
    std::int64_t position_ = 0;

private:
    std::uint8_t* memory_ = nullptr;
    std::int64_t size_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    std::size_t Write(const void* buffer, std::size_t count) override;
    void SetSize(std::int64_t newSize);
    // Replaces the contents with the whole file; position 0 afterwards.
    // A file that cannot be read raises EFOpenError "Cannot open file NAME".
    void LoadFromFile(const std::string& fileName);
    void Clear() {
        SetSize(0);
        position_ = 0;
    }

private:
    std::vector<std::uint8_t> data_;
};

}  // namespace parlenko::midi
