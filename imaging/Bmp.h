// 24-bit uncompressed BMP files: the reader used for textures and the writer used for saved
// pictures. Pure C++: pixels are kept exactly as a BMP stores them (blue, green, red; rows from
// the bottom of the picture up; each row padded to a multiple of four bytes), which is also the
// layout OpenGL unpacks with its default alignment of 4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace imaging {

// Largest width or height the reader accepts. Anything bigger is refused before any pixel
// memory is allocated.
inline constexpr int kMaxBmpDimension = 16384;

struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // rowStride() * height bytes, bottom row first, BGR

    // Bytes per stored row: 3 * width rounded up to a multiple of 4.
    std::size_t rowStride() const { return RowStride(width); }
    static std::size_t RowStride(int width) {
        return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    }
    // Row y counted from the bottom of the picture (y = 0 is the bottom row).
    std::uint8_t* row(int y) { return pixels.data() + rowStride() * static_cast<std::size_t>(y); }
    const std::uint8_t* row(int y) const { return pixels.data() + rowStride() * static_cast<std::size_t>(y); }
    bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }

    // A black picture of the given size (both at least 1).
    static BmpImage Blank(int width, int height);
};

// Decodes a BMP held in memory. Accepts 24 bits per pixel, uncompressed (BI_RGB), with a
// 12-, 40-, 108- or 124-byte header, bottom-up or top-down rows (top-down pictures are turned
// bottom-up). Anything else (another depth, compression, a truncated file, a header claiming
// more pixels than the file holds, a size above kMaxBmpDimension) fails with a message in
// *error and leaves `out` empty.
bool DecodeBmp24(std::span<const std::uint8_t> bytes, BmpImage& out, std::string* error = nullptr);

// Reads and decodes a file. A missing or unreadable file fails like a broken one; so does
// anything but a regular file (a folder, a FIFO), and a file shorter than its headers promise,
// before any pixel memory is allocated.
bool ReadBmp24(const std::filesystem::path& file, BmpImage& out, std::string* error = nullptr);

// Encodes a picture as a 24-bit BMP: 14-byte file header, 40-byte info header (no
// compression, biSizeImage set, resolution 0), pixel offset 54, positive height.
std::vector<std::uint8_t> EncodeBmp24(const BmpImage& image);

// Writes EncodeBmp24(image) to a file, atomically: an existing file is replaced whole or left as it
// was. Returns false (with a message naming the path and the reason) when the picture is empty or
// the file cannot be written.
bool WriteBmp24(const std::filesystem::path& file, const BmpImage& image, std::string* error = nullptr);

} // namespace imaging
