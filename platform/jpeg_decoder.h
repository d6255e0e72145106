#pragma once
// JPEG pictures (the header bars and phone pictures of the images folder)
// decoded through libjpeg. A damaged or unreadable file gives nullopt: the
// library's error handler is replaced so that an error returns here instead of
// ending the process.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace parlenko::platform {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top down
};

std::optional<DecodedImage> DecodeJpeg(const std::uint8_t* data, std::size_t size);
std::optional<DecodedImage> DecodeJpegFile(const std::string& path);

}  // namespace parlenko::platform
