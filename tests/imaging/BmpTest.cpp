// 24-bit BMP reading and writing: every accepted header form, and broken files failing cleanly.
#include "imaging/Bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

using imaging::BmpImage;

namespace {

// A 5 x 3 picture (15 bytes of pixels a row, padded to 16) with every byte different.
BmpImage Sample() {
    BmpImage image = BmpImage::Blank(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 15; ++x) image.row(y)[x] = static_cast<std::uint8_t>(100 + 16 * y + x);
    return image;
}

// A little-endian header field of n bytes.
struct Field {
    std::size_t at;
    std::uint32_t v;
    int n = 4;
};
std::vector<std::uint8_t> Edited(std::vector<std::uint8_t> b, std::initializer_list<Field> fields) {
    for (const Field& f : fields)
        for (int i = 0; i < f.n; ++i) b[f.at + i] = static_cast<std::uint8_t>(f.v >> (8 * i));
    return b;
}

std::filesystem::path TempPath(const char* name) {
    static const std::string run = std::to_string(std::random_device{}());
    return std::filesystem::temp_directory_path() / ("nv_bmp_" + run + name);
}

} // namespace

// Fault: a wrong header field (the file size holding only the pixels' size), unpadded rows, or a
// header form the reader misreads (top-down, the 124-byte and the 12-byte core header).
TEST(Bmp, RoundTripAndEveryAcceptedHeaderForm) {
    const BmpImage image = Sample();
    const std::vector<std::uint8_t> bytes = imaging::EncodeBmp24(image);
    ASSERT_EQ(image.rowStride(), 16u); // 15 bytes of pixels padded to 16
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
    // Magic, file size 102, pixel offset 54, info header 40, width 5, height 3, one plane, 24 bits per
    // pixel, no compression, 48 bytes of pixels.
    EXPECT_EQ((std::vector<int>{bytes[0], bytes[1], bytes[2], bytes[10], bytes[14], bytes[18], bytes[22],
                                bytes[26], bytes[28], bytes[30], bytes[34]}),
              (std::vector<int>{'B', 'M', 102, 54, 40, 5, 3, 1, 24, 0, 48}));
    // Top-down (negative height), a 124-byte header, the old 12-byte core header with 16-bit sizes.
    std::vector<std::uint8_t> topDown = Edited(bytes, {{22, static_cast<std::uint32_t>(-3)}}), v5 = bytes;
    for (int y = 0; y < 3; ++y) std::memcpy(topDown.data() + 54 + 16 * y, image.row(2 - y), 16);
    v5.insert(v5.begin() + 54, 124 - 40, 0);
    // "BM", pixels at 26; header size 12, width 5, height 3, one plane, 24 bits.
    std::vector<std::uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0,  0,
                                      0,   12,  0, 0, 0, 5, 0, 3, 0, 1, 0,  24, 0};
    core.insert(core.end(), bytes.begin() + 54, bytes.end());
    const auto path = TempPath("rt.bmp");
    for (const auto& file : {bytes, topDown, Edited(v5, {{14, 124}, {10, 14 + 124}}), core}) {
        BmpImage back;
        ASSERT_TRUE(imaging::DecodeBmp24(file, back)) << file.size();
        EXPECT_EQ((std::pair{back.width, back.height}), (std::pair{5, 3}));
        EXPECT_EQ(back.pixels, image.pixels) << file.size();
        // The file reader reads the pixels straight from the file: the same picture.
        std::string error;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
        ASSERT_TRUE(imaging::ReadBmp24(path, back, &error)) << error;
        EXPECT_EQ(back.pixels, image.pixels) << file.size();
    }
    std::filesystem::remove(path);
}

// Fault: a broken file read past its end, allocated before its sizes are checked, or accepted.
TEST(Bmp, BrokenFilesFailWithoutPixels) {
    const std::vector<std::uint8_t> good = imaging::EncodeBmp24(Sample());
    BmpImage out;
    std::string error;
    auto expectFailure = [&](const std::vector<std::uint8_t>& b, const std::string& what) {
        error.clear();
        EXPECT_FALSE(imaging::DecodeBmp24(b, out, &error)) << what;
        EXPECT_TRUE(out.empty()) << what;
        EXPECT_FALSE(error.empty()) << what;
    };
    // Truncated anywhere: in the headers or in the last row.
    for (std::size_t size : {0u, 10u, 30u, 53u, 54u, 54u + 16u * 3u - 1u})
        expectFailure({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)}, std::to_string(size));
    // Not "BM"; 8 or 32 bits; two planes; compressed; an unknown header size; no width; pixels
    // beyond the end or inside the header; huge sizes of either sign.
    const Field broken[] = {{0, 'X', 1}, {28, 8, 2},       {28, 32, 2},      {26, 2, 2},
                            {30, 1},     {14, 64},         {18, 0},          {10, 0xFFFFFFF0u},
                            {10, 20},    {18, 0x7FFFFFFF}, {22, 0x80000000u}};
    for (const Field& f : broken)
        expectFailure(Edited(good, {f}), "byte " + std::to_string(f.at) + " = " + std::to_string(f.v));
    expectFailure(Edited(good, {{18, 16000}, {22, 16000}}), "fits the limit, not the file");
    EXPECT_NE(error.find("truncated"), std::string::npos);

    EXPECT_FALSE(imaging::ReadBmp24(TempPath("missing.bmp"), out, &error));
    EXPECT_FALSE(imaging::WriteBmp24(TempPath("empty.bmp"), BmpImage{}, &error));
}
