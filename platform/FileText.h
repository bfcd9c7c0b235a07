// Reading a whole text file into memory (one read, no per-line streams).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace nv {

// The file's bytes (at most `maxBytes` of them from its start), or nothing when it cannot be
// opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t maxBytes = static_cast<std::size_t>(-1));

// Small files read only a few lines; more than this is never needed from them.
inline constexpr std::size_t kSmallFileLimit = 4u << 20;

} // namespace nv
