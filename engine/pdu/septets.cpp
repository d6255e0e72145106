#include "engine/pdu/septets.h"

#include <algorithm>

namespace parlenko {

std::vector<std::uint8_t> PackSeptets(std::string_view codes) {
    std::vector<std::uint8_t> out(OctetsForSeptets(codes.size()), 0);
    std::size_t bit = 0;
    for (char c : codes) {
        unsigned septet = static_cast<unsigned char>(c) & 0x7Fu;
        std::size_t octet = bit / 8, shift = bit % 8;
        out[octet] = static_cast<std::uint8_t>(out[octet] | ((septet << shift) & 0xFFu));
        if (shift > 1) out[octet + 1] = static_cast<std::uint8_t>(septet >> (8 - shift));
        bit += 7;
    }
    return out;
}

std::string UnpackSeptets(const std::vector<std::uint8_t>& octets, std::size_t count) {
    count = std::min(count, SeptetsInOctets(octets.size()));
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t bit = i * 7, octet = bit / 8, shift = bit % 8;
        unsigned v = static_cast<unsigned>(octets[octet]) >> shift;
        if (shift > 1) v |= static_cast<unsigned>(octets[octet + 1]) << (8 - shift);
        out.push_back(static_cast<char>(v & 0x7Fu));
    }
    return out;
}

}  // namespace parlenko
