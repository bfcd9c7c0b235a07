#include "imaging/Bmp.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>

namespace imaging {
namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}
std::int32_t S32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}
void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

bool Fail(std::string* error, const char* what) {
    if (error) *error = what;
    return false;
}

constexpr std::size_t kFileHeader = 14;

} // namespace

BmpImage BmpImage::Blank(int width, int height) {
    BmpImage image;
    image.width = std::max(width, 1);
    image.height = std::max(height, 1);
    image.pixels.assign(image.rowStride() * static_cast<std::size_t>(image.height), 0);
    return image;
}

bool DecodeBmp24(std::span<const std::uint8_t> bytes, BmpImage& out, std::string* error) {
    out = BmpImage{};
    if (bytes.size() < kFileHeader + 12) return Fail(error, "file too short for a bitmap header");
    if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "not a BMP file");
    const std::uint32_t pixelOffset = U32(bytes, 10);
    const std::uint32_t headerSize = U32(bytes, kFileHeader);

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0;
    if (headerSize == 12) {
        width = U16(bytes, kFileHeader + 4);
        height = U16(bytes, kFileHeader + 6);
        planes = U16(bytes, kFileHeader + 8);
        bitCount = U16(bytes, kFileHeader + 10);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        if (bytes.size() < kFileHeader + 40) return Fail(error, "truncated bitmap header");
        width = S32(bytes, kFileHeader + 4);
        height = S32(bytes, kFileHeader + 8);
        planes = U16(bytes, kFileHeader + 12);
        bitCount = U16(bytes, kFileHeader + 14);
        compression = U32(bytes, kFileHeader + 16);
    } else {
        return Fail(error, "unknown bitmap header size");
    }
    if (bitCount != 24) return Fail(error, "not a 24-bit bitmap");
    if (compression != 0) return Fail(error, "compressed bitmaps are not supported");
    if (planes != 1) return Fail(error, "bitmap with more than one plane");

    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0) return Fail(error, "bitmap has no pixels");
    if (width > kMaxBmpDimension || height > kMaxBmpDimension) return Fail(error, "bitmap too large");

    const std::size_t stride = BmpImage::RowStride(static_cast<int>(width));
    const std::size_t need = stride * static_cast<std::size_t>(height);
    if (pixelOffset < kFileHeader + headerSize || pixelOffset > bytes.size() ||
        bytes.size() - pixelOffset < need)
        return Fail(error, "bitmap pixel data truncated");

    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels.resize(need);
    const std::uint8_t* src = bytes.data() + pixelOffset;
    if (!topDown) {
        std::memcpy(out.pixels.data(), src, need);
    } else {
        for (int y = 0; y < out.height; ++y)
            std::memcpy(out.row(out.height - 1 - y), src + stride * static_cast<std::size_t>(y), stride);
    }
    return true;
}

bool ReadBmp24(const std::filesystem::path& file, BmpImage& out, std::string* error) {
    out = BmpImage{};
    std::ifstream in(file, std::ios::binary);
    if (!in) return Fail(error, "cannot open file");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return Fail(error, "cannot read file");
    // No sensible 24-bit picture within kMaxBmpDimension is larger than this.
    constexpr std::streamoff kLimit =
        static_cast<std::streamoff>(kMaxBmpDimension) * (kMaxBmpDimension * 3 + 3) + 4096;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(size, kLimit)));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) return Fail(error, "cannot read file");
    return DecodeBmp24(bytes, out, error);
}

std::vector<std::uint8_t> EncodeBmp24(const BmpImage& image) {
    if (image.empty()) return {};
    const std::size_t imageSize = image.rowStride() * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> bytes(54 + imageSize, 0);
    std::uint8_t* p = bytes.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(p + 10, 54);
    Put32(p + 14, 40);
    Put32(p + 18, static_cast<std::uint32_t>(image.width));
    Put32(p + 22, static_cast<std::uint32_t>(image.height));
    Put16(p + 26, 1);
    Put16(p + 28, 24);
    Put32(p + 34, static_cast<std::uint32_t>(imageSize));
    std::memcpy(p + 54, image.pixels.data(), std::min(imageSize, image.pixels.size()));
    return bytes;
}

bool WriteBmp24(const std::filesystem::path& file, const BmpImage& image, std::string* error) {
    if (image.empty() || image.pixels.size() < image.rowStride() * static_cast<std::size_t>(image.height))
        return Fail(error, "no picture to write");
    return platform::WriteFileAtomically(file, EncodeBmp24(image), error);
}

} // namespace imaging
