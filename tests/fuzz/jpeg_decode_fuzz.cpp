// fuzz-links: parlenko_platform
// Pictures of the images folder: whatever the bytes, decoding returns.

#include "platform/jpeg_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = parlenko::platform::DecodeJpeg(data, size);
    if (image && image->rgb.size() != static_cast<std::size_t>(image->width) *
                                          static_cast<std::size_t>(image->height) * 3)
        __builtin_trap();
    return 0;
}
