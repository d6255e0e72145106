// fuzz-links: parlenko_engine
// The number parser and the clamping copies take any phone text.
#include "engine/core/strings.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view s(reinterpret_cast<const char*>(data), size);
    (void)parlenko::ParseInt(s);
    long n = size ? static_cast<long>(data[0]) - 128 : 0;
    (void)parlenko::Copy(s, n, static_cast<long>(size));
    (void)parlenko::Trim(s);
    return 0;
}
