#include "components/midi/stream.h"

#include <algorithm>
#include <array>

namespace parlenko::midi {

std::int64_t TStream::Size() {
    const std::int64_t position = Seek(0, soFromCurrent);
    const std::int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

std::int64_t TStream::Remaining() {
    const std::int64_t left = Size() - Position();
    return left > 0 ? left : 0;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::array<std::uint8_t, 61440> chunk{};
    std::int64_t done = 0;
    while (done < count) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(count - done, chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

}  // namespace parlenko::midi
