// Where the program's data folder is. Pure C++: the application tells it the folder beside the
// executable at start; tests and tools may point it elsewhere.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The data folder: the one set by SetDataDir, else $NIGHTVANE_DATA, else the build-time default.
std::filesystem::path DataDir();
void SetDataDir(const std::filesystem::path& dir);
// An installed program reads the `data` folder beside it: sets it as the data folder when it
// exists and $NIGHTVANE_DATA is not set (otherwise that or the build tree's folder serves).
void UseDataFolderBeside(const std::filesystem::path& programDir);
// A file inside the data folder, e.g. DataFile("hip.txt").
std::filesystem::path DataFile(std::string_view name);

} // namespace platform
