// JPEG pictures: decoded, and damaged ones refused without ending the process.

#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace parlenko::platform {
namespace {

// A width x height picture: left half red, right half blue.
std::vector<std::uint8_t> Encode(int width, int height) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    const auto columns = static_cast<std::size_t>(width);
    for (std::size_t x = 0; x < columns; ++x) {
        row[x * 3] = x < columns / 2 ? 255 : 0;
        row[x * 3 + 1] = 0;
        row[x * 3 + 2] = x < columns / 2 ? 0 : 255;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<std::uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return bytes;
}

TEST(JpegDecoderTest, DecodesAPicture) {
    const auto bytes = Encode(64, 36);
    const auto image = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 64);
    EXPECT_EQ(image->height, 36);
    ASSERT_EQ(image->rgb.size(), 64u * 36u * 3u);
    EXPECT_GT(image->rgb[0], 200);  // red on the left
    EXPECT_LT(image->rgb[2], 60);
    EXPECT_GT(image->rgb[(36 * 64 - 1) * 3 + 2], 200);  // blue at the bottom right
}

TEST(JpegDecoderTest, DamagedDataIsRefusedAndTheProcessGoesOn) {
    const auto good = Encode(32, 32);
    const std::string text = "not a picture at all";
    EXPECT_FALSE(DecodeJpeg(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_FALSE(DecodeJpeg(nullptr, 0));
    // Only the start-of-image marker and a broken header.
    std::vector<std::uint8_t> header(good.begin(), good.begin() + 30);
    EXPECT_FALSE(DecodeJpeg(header.data(), header.size()));
    // Garbage in the middle of the header segments.
    std::vector<std::uint8_t> scrambled = good;
    for (std::size_t i = 4; i < 200 && i < scrambled.size(); i += 3) scrambled[i] ^= 0x5A;
    (void)DecodeJpeg(scrambled.data(), scrambled.size());  // any result, but no exit
    // A picture cut short in its pixel data still decodes (the missing rows
    // are filled), as it does in the library's own viewers.
    const auto big = Encode(400, 300);
    std::vector<std::uint8_t> cut(big.begin(),
                                  big.begin() + static_cast<long>(big.size() * 9 / 10));
    const auto partial = DecodeJpeg(cut.data(), cut.size());
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->width, 400);
    SUCCEED() << "still running";
}

TEST(JpegDecoderTest, FilesByPath) {
    char tmpl[] = "/tmp/parlenko-jpeg-XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const auto bytes = Encode(20, 10);
    {
        std::ofstream f(dir + "/a.jpg", std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    const auto image = DecodeJpegFile(dir + "/a.jpg");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 20);
    EXPECT_FALSE(DecodeJpegFile(dir + "/missing.jpg"));
    std::remove((dir + "/a.jpg").c_str());
    std::remove(dir.c_str());
}

}  // namespace
}  // namespace parlenko::platform
