#include "components/midi/riff_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parlenko::midi {
namespace {

std::uint32_t LittleEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t StringToFourCC(std::string_view text) {
    std::uint8_t code[4] = {' ', ' ', ' ', ' '};
    for (std::size_t i = 0; i < 4 && i < text.size(); ++i)
        code[i] = static_cast<std::uint8_t>(text[i]);
    return LittleEndian32(code);
}

TRiffChunkInfo::TRiffChunkInfo(const std::string& id) : ID(id) {
    if (id.size() != 4 && !id.empty())
        throw Exception("RIFF Chunk ID must be four characters long");
    if (id == "LIST" || id == "RIFF") Info.fccType = StringToFourCC(id);
    else Info.ckid = StringToFourCC(id);
}

std::int64_t TRiffStream::Size() {
    if (chunks_.empty()) return SourceSize();
    const TChunkRecord& inner = chunks_.back().Info;
    return std::min<std::int64_t>(static_cast<std::int64_t>(inner.dwDataOffset) + inner.cksize,
                                  SourceSize());
}

std::size_t TRiffStream::Read(void* buffer, std::size_t count) {
    const std::int64_t left = Size() - position_;
    if (left <= 0 || position_ < 0) return 0;
    const std::size_t n =
        ReadAt(position_, buffer, std::min<std::uint64_t>(count, static_cast<std::uint64_t>(left)));
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TRiffStream::Write(const void* buffer, std::size_t count) {
    const std::size_t n = WriteAt(position_, buffer, count);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::int64_t TRiffStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = offset;
    if (origin == soFromCurrent) target = position_ + offset;
    if (origin == soFromEnd) target = SourceSize() + offset;
    if (target < 0) return -1;
    position_ = target;
    return position_;
}

namespace {

// Whether the chunk with this id (and form type, for "RIFF" and "LIST")
// is the one a descent with these flags looks for.
bool ChunkMatches(const TChunkRecord& wanted, unsigned flags, std::uint32_t id,
                  std::uint32_t form) {
    const auto formMatches = [&] { return wanted.fccType == 0 || wanted.fccType == form; };
    if (flags & MMIO_FINDRIFF) return id == StringToFourCC("RIFF") && formMatches();
    if (flags & MMIO_FINDLIST) return id == StringToFourCC("LIST") && formMatches();
    if (flags & MMIO_FINDCHUNK) return id == wanted.ckid;
    return true;  // no search: the chunk at the position
}

}  // namespace

std::int64_t TRiffStream::SearchEnd() {
    std::int64_t end = SourceSize();
    if (!chunks_.empty()) {
        const TChunkRecord& parent = chunks_.back().Info;
        end = std::min<std::int64_t>(
            end, static_cast<std::int64_t>(parent.dwDataOffset) + parent.cksize);
    }
    return end;
}

bool TRiffStream::FindChunk(TChunkRecord& record, unsigned flags) {
    const std::int64_t end = SearchEnd();
    const bool searching = (flags & (MMIO_FINDRIFF | MMIO_FINDLIST | MMIO_FINDCHUNK)) != 0;
    std::int64_t pos = position_;
    while (pos >= 0 && pos + 8 <= end) {
        std::uint8_t header[8];
        if (ReadAt(pos, header, 8) != 8) return false;
        const std::uint32_t id = LittleEndian32(header);
        const std::uint32_t size = LittleEndian32(header + 4);
        const std::int64_t data = pos + 8;
        const bool isForm = id == StringToFourCC("RIFF") || id == StringToFourCC("LIST");
        std::uint32_t form = 0;
        if (isForm) {
            std::uint8_t type[4];
            if (ReadAt(data, type, 4) != 4) return false;
            form = LittleEndian32(type);
        }
        if (ChunkMatches(record, flags, id, form)) {
            record.ckid = id;
            record.cksize = size;
            record.dwDataOffset = static_cast<std::uint32_t>(data);
            if (isForm) record.fccType = form;
            position_ = data + (isForm ? 4 : 0);
            return true;
        }
        if (!searching) return false;
        pos = data + size + (size & 1u);  // odd chunks carry a pad byte
    }
    return false;
}

void TRiffStream::Descend(const std::string& id, unsigned flags) {
    TRiffChunkInfo info(id);
    if (!FindChunk(info.Info, flags)) throw Exception("Unable to descend into " + id);
    chunks_.push_back(std::move(info));
}

TRiffFileStream::TRiffFileStream(const std::string& fileName, unsigned mode) {
    if (mode == fmCreate) {
        fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) throw EFCreateError("Unable to create " + fileName);
        return;
    }
    int flags = O_RDONLY;
    if ((mode & 3) == fmOpenWrite) flags = O_WRONLY;
    if ((mode & 3) == fmOpenReadWrite) flags = O_RDWR;
    if (mode & (fmShareExclusive | fmShareDenyWrite | fmShareDenyNone)) flags = O_RDONLY;
    fd_ = ::open(fileName.c_str(), flags | O_CLOEXEC);
    if (fd_ < 0) throw EFOpenError("Unable to open " + fileName);
}

TRiffFileStream::~TRiffFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t TRiffFileStream::ReadAt(std::int64_t position, void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + done, count - done,
                                  static_cast<off_t>(position) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t TRiffFileStream::WriteAt(std::int64_t position, const void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd_, static_cast<const char*>(buffer) + done, count - done,
                                   static_cast<off_t>(position) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::int64_t TRiffFileStream::SourceSize() {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
}

TRiffMemoryStream::TRiffMemoryStream(const void* memory, std::size_t size)
    : memory_(static_cast<const std::uint8_t*>(memory)), size_(size) {}

std::size_t TRiffMemoryStream::ReadAt(std::int64_t position, void* buffer, std::size_t count) {
    if (position < 0 || static_cast<std::uint64_t>(position) >= size_) return 0;
    const std::size_t n = std::min<std::size_t>(count, size_ - static_cast<std::size_t>(position));
    std::memcpy(buffer, memory_ + position, n);
    return n;
}

std::size_t TRiffMemoryStream::WriteAt(std::int64_t, const void*, std::size_t) { return 0; }

}  // namespace parlenko::midi
