#pragma once
// GSM 03.38 septet packing: eight 7-bit code units share seven octets, the
// first code unit in the low bits of the first octet.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// Packs the low 7 bits of every code unit; unused high bits of the last
// octet are 0. Eight code units give seven octets, nine give eight.
std::vector<std::uint8_t> PackSeptets(std::string_view codes);

// Unpacks up to `count` septets from the packed octets. Only septets whose
// seven bits all lie within the octets are returned (a short input gives
// fewer septets, never reads past its end). Each septet is one char 0..127.
std::string UnpackSeptets(const std::vector<std::uint8_t>& octets, std::size_t count);

// The number of complete septets that `octetCount` packed octets hold.
constexpr std::size_t SeptetsInOctets(std::size_t octetCount) { return octetCount * 8 / 7; }
// The number of octets that `septetCount` packed septets take.
constexpr std::size_t OctetsForSeptets(std::size_t septetCount) {
    return (septetCount * 7 + 7) / 8;
}

}  // namespace parlenko
