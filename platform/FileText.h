// Reading a whole file into memory (one read, no per-line streams). Only a regular file is
// opened: a folder, a FIFO or a device named like a data file could block the program for ever or
// hand it endless bytes, so such paths are refused before anything is read or allocated, and no
// more of a file is read than asked for. Pure C++ interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace nv {

// The file's bytes (at most `maxBytes` of them from its start), or nothing (and the reason,
// naming the path, in *why) when it is missing, not a regular file or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t maxBytes = static_cast<std::size_t>(-1),
                                         std::string* why = nullptr);

// The size of a regular file; nothing (and the reason in *why) for anything else.
std::optional<std::uintmax_t> RegularFileSize(const std::filesystem::path& file, std::string* why = nullptr);

// Fills `into` with the bytes of a regular file from `offset` on; false (and the reason in *why)
// when it is not a regular file, cannot be read or is too short.
bool ReadFileInto(const std::filesystem::path& file, std::uint64_t offset, std::span<char> into,
                  std::string* why = nullptr);

// Small files read only a few lines; more than this is never needed from them.
inline constexpr std::size_t kSmallFileLimit = 4u << 20;

} // namespace nv
