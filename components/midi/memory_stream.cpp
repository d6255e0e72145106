#include "components/midi/memory_stream.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace parlenko::midi {

void TCustomMemoryStream::SetPointer(std::uint8_t* memory, std::int64_t size) {
    memory_ = memory;
    size_ = size;
}

std::size_t TCustomMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ < 0 || position_ >= size_ || count == 0) return 0;
    const auto left = static_cast<std::uint64_t>(size_ - position_);
    const std::size_t n = count < left ? count : static_cast<std::size_t>(left);
    std::memcpy(buffer, memory_ + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TCustomMemoryStream::Write(const void*, std::size_t) { return 0; }

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, int origin) {
    switch (origin) {
        case soFromCurrent: position_ += offset; break;
        case soFromEnd: position_ = size_ + offset; break;
        default: position_ = offset; break;
    }
    return position_;
}

std::size_t TCustomMemoryStream::WriteGrowing(const void* buffer, std::size_t count,
                                              const std::function<void(std::int64_t)>& grow) {
    if (position_ < 0 || count == 0) return 0;
    const std::int64_t end = position_ + static_cast<std::int64_t>(count);
    if (end > Size()) grow(end);
    std::memcpy(Memory() + position_, buffer, count);
    position_ = end;
    return count;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    return WriteGrowing(buffer, count, [this](std::int64_t end) { SetSize(end); });
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) newSize = 0;
    data_.resize(static_cast<std::size_t>(newSize));
    SetPointer(data_.data(), newSize);
    if (position_ > newSize) position_ = newSize;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file " + fileName);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) throw EReadError("Stream read error");
    data_ = std::move(bytes);
    SetPointer(data_.data(), static_cast<std::int64_t>(data_.size()));
    position_ = 0;
}

}  // namespace parlenko::midi
