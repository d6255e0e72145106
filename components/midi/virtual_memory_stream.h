#pragma once
// A memory stream that reserves address space for its largest size at once
// and commits memory as it grows, so its memory never moves. Reserve is an
// inaccessible anonymous mapping; committing makes pages readable and
// writable; shrinking gives whole pages back.

#include "components/midi/memory_stream.h"

#include <cstdint>

namespace parlenko::midi {

class EVirtualMemory : public Exception {
public:
    using Exception::Exception;
};

class TVirtualMemoryStream : public TCustomMemoryStream {
public:
    // Reserves capacity bytes (0 reserves nothing) and commits the first
    // initialSize of them; the size starts at initialSize.
    TVirtualMemoryStream(std::int32_t capacity, std::int32_t initialSize);
    ~TVirtualMemoryStream() override;

    // Growing commits at least Increment() bytes at a time (never past the
    // capacity), so the size may end up larger than asked; shrinking releases
    // the pages that lie wholly above the new size. Above the capacity:
    // EVirtualMemory "Size exceeds capacity", nothing changes.
    virtual void SetSize(std::int64_t newSize);
    // Grows the size first when the bytes would pass its end.
    std::size_t Write(const void* buffer, std::size_t count) override;

    std::int32_t Capacity() const { return capacity_; }
    std::int32_t Increment() const { return increment_; }

private:
    std::int32_t capacity_ = 0;
    std::int32_t increment_ = 1024;
    std::uint8_t* reservation_ = nullptr;
    std::size_t reservedBytes_ = 0;
    std::size_t committedEnd_ = 0;  // page-aligned end of the committed pages
};

}  // namespace parlenko::midi
