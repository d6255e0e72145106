#include "components/midi/midi_globals.h"

namespace parlenko::midi {

std::uint32_t SwapLong(std::uint32_t value) {
    return ((value & 0x000000FFu) << 24) | ((value & 0x0000FF00u) << 8) |
           ((value & 0x00FF0000u) >> 8) | ((value & 0xFF000000u) >> 24);
}

}  // namespace parlenko::midi
