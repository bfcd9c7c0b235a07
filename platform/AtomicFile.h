// Writing a whole file so that it is either replaced completely or left as it was: the bytes go to
// a new temporary file in the same folder (created exclusively, so nothing planted under that name
// is followed or overwritten), which is then renamed over the target. A full disk or an unwritable
// folder fails with the system's reason and leaves any existing file untouched. Pure C++.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace platform {

// Writes `bytes` as the whole content of `file`. On failure returns false, removes the temporary
// file and puts the reason (naming the path) into *error.
bool WriteFileAtomically(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);

} // namespace platform
