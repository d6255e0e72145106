#pragma once
// Shared pieces of the MIDI model: the byte-order routine for the big-endian
// lengths of MIDI chunks and the root of the model's exception classes.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace parlenko::midi {

// Root of every error the MIDI model and its streams raise; a caller that
// loads outside data catches this one class.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// The value with its four bytes in reverse order.
std::uint32_t SwapLong(std::uint32_t value);

}  // namespace parlenko::midi
