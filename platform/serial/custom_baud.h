#pragma once
// Speeds that have no B-constant in <termios.h> (14400, 56000, 128000,
// 256000 ...): set through termios2 with BOTHER. Kept apart from the
// termios code because <asm/termbits.h> and <termios.h> cannot meet in one
// translation unit.

#include <cstdint>
#include <optional>

namespace parlenko::platform {

// Sets the input and output speed of the terminal fd to baud bits per second,
// leaving every other setting as it is. False when the driver refuses it or
// settles more than 3% away from it (the line would not work).
bool SetCustomBaud(int fd, std::uint32_t baud);

// The output speed of the terminal fd in bits per second; nullopt when it
// cannot be read.
std::optional<std::uint32_t> ReadBaud(int fd);

}  // namespace parlenko::platform
