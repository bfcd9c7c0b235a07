// Creating a file that must be new: the call fails when anything is already at the path (a file,
// a folder, or a link, even one that points nowhere), so nothing planted there is written through.
#pragma once

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform {

// Opens a new, empty file for binary writing; null with the reason in `error` when it cannot be
// created (std::errc::file_exists when something is already there).
std::FILE* CreateNewFile(const std::filesystem::path& file, std::error_code& error);

} // namespace platform
