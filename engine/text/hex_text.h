#pragma once
// Binary data as the phone carries it in command lines: two hex digits per
// byte, no separators (calendar objects, melodies, logos).

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// Every byte as two upper-case hex digits.
std::string BytesToHex(std::string_view bytes);
// The bytes of hex text (digits of either case). An odd length or a pair
// that is not two hex digits gives nullopt: the phone's data is not trusted.
std::optional<std::string> HexToBytes(std::string_view hex);

}  // namespace parlenko
