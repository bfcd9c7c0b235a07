#include "platform/FileText.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace nv {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt; // missing, or a folder
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    std::string bytes(std::min(static_cast<std::size_t>(size), maxBytes), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in && !bytes.empty()) return std::nullopt;
    return bytes;
}

} // namespace nv
