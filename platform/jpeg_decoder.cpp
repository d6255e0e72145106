#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace parlenko::platform {
namespace {

// Pictures larger than this are refused (a corrupt header must not make us
// allocate gigabytes).
constexpr long kMaxPixels = 16L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void SilentMessage(j_common_ptr) {}

// Only trivially destructible objects live between setjmp and a longjmp
// into it; the output buffer is owned by the caller.
bool DecodeInto(const std::uint8_t* data, std::size_t size, DecodedImage& out) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = SilentMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (static_cast<long>(cinfo.image_width) * static_cast<long>(cinfo.image_height) > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const long pixels =
        static_cast<long>(cinfo.output_width) * static_cast<long>(cinfo.output_height);
    if (cinfo.output_components != 3 || pixels <= 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.resize(static_cast<std::size_t>(pixels) * 3);
    const std::size_t stride = static_cast<std::size_t>(out.width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0) return std::nullopt;
    DecodedImage image;
    if (!DecodeInto(data, size, image)) return std::nullopt;
    return image;
}

std::optional<DecodedImage> DecodeJpegFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return DecodeJpeg(bytes.data(), bytes.size());
}

}  // namespace parlenko::platform
