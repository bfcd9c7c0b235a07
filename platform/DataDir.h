// Where the program's data folder is. Pure C++: the application tells it the folder beside the
// executable at start; tests and tools may point it elsewhere.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The data folder: the one set by SetDataDir, else $NIGHTVANE_DATA, else the build-time default.
std::filesystem::path DataDir();
void SetDataDir(const std::filesystem::path& dir);
// A file inside the data folder, e.g. DataFile("hip.txt").
std::filesystem::path DataFile(std::string_view name);

} // namespace platform
