// Reading and writing the program's files safely. Pure C++ interface.
//
// Reading: only a regular file is opened. A folder, a FIFO or a device named like a data file
// could block the program for ever or hand it endless bytes; such paths are refused before
// anything is read or allocated, and no more than a given number of bytes is ever read.
//
// Writing: the new contents go into a fresh temporary file beside the target, created
// exclusively (a link planted under its name is never followed), and only a complete file is
// renamed over the target. A full disk or any other failure leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

namespace platform {

// The size of a regular file; no value (and the reason in *why) for anything else or when it
// cannot be examined.
std::optional<std::uintmax_t> RegularFileSize(const std::filesystem::path& file, std::string* why = nullptr);

// The first `maxBytes` bytes of a regular file (all of it when it is smaller); no value and the
// reason in *why when it is missing, not a regular file or unreadable.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                           std::string* why = nullptr);

// Fills `into` with the bytes of a regular file from `offset` on. False (and the reason in
// *why) when it is not a regular file, cannot be read or is too short.
bool ReadRegularFileInto(const std::filesystem::path& file, std::uint64_t offset, std::span<char> into,
                         std::string* why = nullptr);

// Replaces the contents of `file` with `bytes` (or with `parts`, one after the other) through a
// temporary file and a rename (the file is created when there was none). Returns an empty
// string on success, else a message that names the path and the system's reason.
std::string WriteFileReplacing(const std::filesystem::path& file, std::span<const char> bytes);
std::string WriteFileReplacing(const std::filesystem::path& file,
                               std::initializer_list<std::span<const char>> parts);

} // namespace platform
