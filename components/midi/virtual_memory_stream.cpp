#include "components/midi/virtual_memory_stream.h"

#include <sys/mman.h>
#include <unistd.h>

namespace parlenko::midi {
namespace {

std::size_t PageSize() {
    static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return page;
}

std::size_t RoundUpToPage(std::size_t n) {
    const std::size_t page = PageSize();
    return (n + page - 1) / page * page;
}

}  // namespace

TVirtualMemoryStream::TVirtualMemoryStream(std::int32_t capacity, std::int32_t initialSize) {
    if (capacity < 0) throw EVirtualMemory("Invalid capacity");
    if (initialSize > capacity) throw EVirtualMemory("Size exceeds capacity");
    capacity_ = capacity;
    if (capacity > 0) {
        reservedBytes_ = RoundUpToPage(static_cast<std::size_t>(capacity));
        void* p = ::mmap(nullptr, reservedBytes_, PROT_NONE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED) throw EVirtualMemory("Unable to reserve memory");
        reservation_ = static_cast<std::uint8_t*>(p);
    }
    SetPointer(reservation_, 0);
    if (initialSize > 0) {
        const std::size_t end = RoundUpToPage(static_cast<std::size_t>(initialSize));
        if (::mprotect(reservation_, end, PROT_READ | PROT_WRITE) != 0) {
            ::munmap(reservation_, reservedBytes_);
            throw EVirtualMemory("Unable to commit memory");
        }
        committedEnd_ = end;
        SetPointer(reservation_, initialSize);
    }
}

TVirtualMemoryStream::~TVirtualMemoryStream() {
    if (reservation_ != nullptr) ::munmap(reservation_, reservedBytes_);
}

void TVirtualMemoryStream::SetSize(std::int64_t newSize) {
    const std::int64_t size = Size();
    if (newSize == size) return;
    if (newSize > capacity_) throw EVirtualMemory("Size exceeds capacity");
    if (newSize < 0) throw EVirtualMemory("Invalid size");
    if (newSize > size) {
        std::int64_t delta = newSize - size;
        if (delta < increment_) delta = increment_;
        if (size + delta > capacity_) delta = capacity_ - size;
        const std::size_t end = RoundUpToPage(static_cast<std::size_t>(size + delta));
        if (end > committedEnd_) {
            if (::mprotect(reservation_ + committedEnd_, end - committedEnd_,
                           PROT_READ | PROT_WRITE) != 0)
                throw EVirtualMemory("Unable to commit memory");
            committedEnd_ = end;
        }
        SetPointer(reservation_, size + delta);
        return;
    }
    const std::size_t keep = RoundUpToPage(static_cast<std::size_t>(newSize));
    if (keep < committedEnd_) {
        // Zero-fill-on-demand pages: the contents go, and so does the access.
        ::madvise(reservation_ + keep, committedEnd_ - keep, MADV_DONTNEED);
        ::mprotect(reservation_ + keep, committedEnd_ - keep, PROT_NONE);
        committedEnd_ = keep;
    }
    SetPointer(reservation_, newSize);
}

std::size_t TVirtualMemoryStream::Write(const void* buffer, std::size_t count) {
    return WriteGrowing(buffer, count, [this](std::int64_t end) { SetSize(end); });
}

}  // namespace parlenko::midi
