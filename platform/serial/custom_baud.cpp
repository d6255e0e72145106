#include "platform/serial/custom_baud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace parlenko::platform {

bool SetCustomBaud(int fd, std::uint32_t baud) {
    if (baud == 0) return false;
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = baud;
    t.c_ospeed = baud;
    if (ioctl(fd, TCSETS2, &t) != 0) return false;
    const auto actual = ReadBaud(fd);
    if (!actual) return false;
    const std::uint64_t diff = *actual > baud ? *actual - baud : baud - *actual;
    return diff * 100 <= static_cast<std::uint64_t>(baud) * 3;
}

std::optional<std::uint32_t> ReadBaud(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return std::nullopt;
    return t.c_ospeed;
}

}  // namespace parlenko::platform
