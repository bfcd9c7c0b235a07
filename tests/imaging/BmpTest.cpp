// 24-bit BMP reading and writing: good files in every accepted header form, and the broken
// ones a data folder might hold (truncated, wrong depth, absurd sizes) failing cleanly.
#include "imaging/Bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

using imaging::BmpImage;

namespace {

// A 5 x 3 picture whose pixel (x, y from the bottom) is (b, g, r) = (x, y, 100 + x + y).
BmpImage Sample() {
    BmpImage image = BmpImage::Blank(5, 3);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(100 + x + y);
        }
    return image;
}

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Set16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::filesystem::path TempPath(const char* name) {
    static const std::string run = std::to_string(std::random_device{}());
    return std::filesystem::temp_directory_path() / ("nv_bmp_" + run + name);
}

} // namespace

TEST(Bmp, WritesTheFileLayoutAndReadsItBack) {
    const BmpImage image = Sample();
    const std::vector<std::uint8_t> bytes = imaging::EncodeBmp24(image);
    ASSERT_EQ(image.rowStride(), 16u); // 15 bytes of pixels padded to 16
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[10], 54); // pixel offset
    EXPECT_EQ(bytes[14], 40); // info header size
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    EXPECT_EQ(bytes[30], 0);  // no compression

    const auto path = TempPath("rt.bmp");
    std::string error;
    ASSERT_TRUE(imaging::WriteBmp24(path, image, &error)) << error;
    BmpImage back;
    ASSERT_TRUE(imaging::ReadBmp24(path, back, &error)) << error;
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, image.pixels);
    std::filesystem::remove(path);
}

TEST(Bmp, TopDownAndOtherHeaderFormsAreAccepted) {
    const BmpImage image = Sample();
    std::vector<std::uint8_t> bytes = imaging::EncodeBmp24(image);

    // Top-down: negative height, rows stored top first; the reader turns them bottom-up.
    std::vector<std::uint8_t> topDown = bytes;
    Set32(topDown, 22, static_cast<std::uint32_t>(-3));
    for (int y = 0; y < 3; ++y) std::memcpy(topDown.data() + 54 + 16 * y, image.row(2 - y), 16);
    BmpImage decoded;
    ASSERT_TRUE(imaging::DecodeBmp24(topDown, decoded));
    EXPECT_EQ(decoded.pixels, image.pixels);

    // A 124-byte header (what many editors write) with the pixels after it.
    std::vector<std::uint8_t> v5(14 + 124, 0);
    std::memcpy(v5.data(), bytes.data(), 54);
    Set32(v5, 14, 124);
    Set32(v5, 10, 14 + 124);
    v5.insert(v5.end(), bytes.begin() + 54, bytes.end());
    ASSERT_TRUE(imaging::DecodeBmp24(v5, decoded));
    EXPECT_EQ(decoded.pixels, image.pixels);

    // The old 12-byte core header with 16-bit sizes.
    std::vector<std::uint8_t> core(14 + 12, 0);
    core[0] = 'B';
    core[1] = 'M';
    Set32(core, 10, 26);
    Set32(core, 14, 12);
    Set16(core, 18, 5);
    Set16(core, 20, 3);
    Set16(core, 22, 1);
    Set16(core, 24, 24);
    core.insert(core.end(), bytes.begin() + 54, bytes.end());
    ASSERT_TRUE(imaging::DecodeBmp24(core, decoded));
    EXPECT_EQ(decoded.width, 5);
    EXPECT_EQ(decoded.pixels, image.pixels);
}

TEST(Bmp, BrokenFilesFailWithoutPixels) {
    const std::vector<std::uint8_t> good = imaging::EncodeBmp24(Sample());
    BmpImage out;
    std::string error;

    // Truncated anywhere: in the headers or in the last row.
    for (std::size_t size : {0u, 10u, 30u, 53u, 54u, 54u + 16u * 3u - 1u}) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(imaging::DecodeBmp24(cut, out, &error)) << size;
        EXPECT_TRUE(out.empty());
        EXPECT_FALSE(error.empty());
    }

    auto with = [&](auto edit) {
        std::vector<std::uint8_t> b = good;
        edit(b);
        error.clear();
        const bool ok = imaging::DecodeBmp24(b, out, &error);
        EXPECT_TRUE(out.empty() || ok);
        return ok;
    };
    EXPECT_FALSE(with([](auto& b) { b[0] = 'X'; }));
    EXPECT_FALSE(with([](auto& b) { Set16(b, 28, 8); }));           // 8-bit palette picture
    EXPECT_FALSE(with([](auto& b) { Set16(b, 28, 32); }));          // 32-bit picture
    EXPECT_FALSE(with([](auto& b) { Set32(b, 30, 1); }));           // run-length compressed
    EXPECT_FALSE(with([](auto& b) { Set32(b, 14, 64); }));          // unknown header size
    EXPECT_FALSE(with([](auto& b) { Set32(b, 18, 0); }));           // no width
    EXPECT_FALSE(with([](auto& b) { Set32(b, 10, 0xFFFFFFF0u); })); // pixels beyond the end
    EXPECT_FALSE(with([](auto& b) { Set32(b, 10, 20); }));          // pixels inside the header

    // Huge sizes in the header: refused before any allocation, whatever the sign.
    EXPECT_FALSE(with([](auto& b) { Set32(b, 18, 0x7FFFFFFF); }));
    EXPECT_FALSE(with([](auto& b) { Set32(b, 22, 0x80000000u); }));
    EXPECT_FALSE(with([](auto& b) {
        Set32(b, 18, 16000);
        Set32(b, 22, 16000);
    })); // fits the limit, not the file
    EXPECT_NE(error.find("truncated"), std::string::npos);

    EXPECT_FALSE(imaging::ReadBmp24(TempPath("missing.bmp"), out, &error));
    EXPECT_FALSE(imaging::WriteBmp24(TempPath("empty.bmp"), BmpImage{}, &error));
}
