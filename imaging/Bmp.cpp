#include "imaging/Bmp.h"

#include "platform/AtomicFile.h"
#include "platform/FileText.h"

#include <algorithm>
#include <cstring>
#include <optional>

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

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

std::span<const std::uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
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

namespace {

// Where the pixels are and how many bytes they take, from the headers alone.
struct BmpLayout {
    std::uint32_t pixelOffset = 0;
    int width = 0, height = 0;
    bool topDown = false;
    std::size_t pixelBytes = 0; // stride * height
};

// Reads the file header and the info header (the first kHeaderBytes of a file are enough).
bool ReadLayout(std::span<const std::uint8_t> bytes, BmpLayout& layout, std::string* error) {
    if (bytes.size() < kFileHeader + 12) return Fail(error, "file too short for a bitmap header");
    if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "not a BMP file");
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

    layout.topDown = height < 0;
    if (layout.topDown) height = -height;
    if (width <= 0 || height <= 0) return Fail(error, "bitmap has no pixels");
    if (width > kMaxBmpDimension || height > kMaxBmpDimension) return Fail(error, "bitmap too large");
    layout.pixelOffset = U32(bytes, 10);
    if (layout.pixelOffset < kFileHeader + headerSize)
        return Fail(error, "bitmap pixel data overlaps its header");
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.pixelBytes = BmpImage::RowStride(layout.width) * static_cast<std::size_t>(layout.height);
    return true;
}

constexpr std::size_t kHeaderBytes = kFileHeader + 124;

} // namespace

bool DecodeBmp24(std::span<const std::uint8_t> bytes, BmpImage& out, std::string* error) {
    out = BmpImage{};
    BmpLayout layout;
    if (!ReadLayout(bytes, layout, error)) return false;
    if (layout.pixelOffset > bytes.size() || bytes.size() - layout.pixelOffset < layout.pixelBytes)
        return Fail(error, "bitmap pixel data truncated");

    out.width = layout.width;
    out.height = layout.height;
    out.pixels.resize(layout.pixelBytes);
    const std::uint8_t* src = bytes.data() + layout.pixelOffset;
    if (!layout.topDown) {
        std::memcpy(out.pixels.data(), src, layout.pixelBytes);
    } else {
        const std::size_t stride = out.rowStride();
        for (int y = 0; y < out.height; ++y)
            std::memcpy(out.row(out.height - 1 - y), src + stride * static_cast<std::size_t>(y), stride);
    }
    return true;
}

bool ReadBmp24(const std::filesystem::path& file, BmpImage& out, std::string* error) {
    out = BmpImage{};
    // Only a regular file is read, and only as many bytes as its headers promise, after
    // checking that the file really holds them: nothing is allocated for what is not there.
    // The pixels are read straight into the picture.
    std::string why;
    const std::optional<std::uintmax_t> size = nv::RegularFileSize(file, &why);
    if (!size) return Fail(error, why);
    const std::optional<std::string> header = nv::ReadWholeFile(file, kHeaderBytes, &why);
    if (!header) return Fail(error, why);
    BmpLayout layout;
    if (!ReadLayout(AsBytes(*header), layout, error)) return false;
    if (*size < std::uintmax_t{layout.pixelOffset} + layout.pixelBytes)
        return Fail(error, "bitmap pixel data truncated");
    BmpImage image;
    image.width = layout.width;
    image.height = layout.height;
    image.pixels.resize(layout.pixelBytes);
    if (!nv::ReadFileInto(file, layout.pixelOffset,
                          std::span<char>(reinterpret_cast<char*>(image.pixels.data()), image.pixels.size()),
                          &why))
        return Fail(error, why);
    if (layout.topDown)
        for (int y = 0; y < image.height / 2; ++y)
            std::swap_ranges(image.row(y), image.row(y) + image.rowStride(), image.row(image.height - 1 - y));
    out = std::move(image);
    return true;
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
