// Where the program's data folder is. Pure C++: the application tells it the folder it runs from
// at start; tests and tools may point it elsewhere.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The data folder: the one set by SetDataDir, else $NIGHTVANE_DATA, else the build-time default.
std::filesystem::path DataDir();
void SetDataDir(const std::filesystem::path& dir);
// A program finds its data where it is installed: the `data` folder beside it, else the installed
// folder (share/nightvanegl/data beside the program's bin/ folder); the first that exists becomes
// the data folder unless $NIGHTVANE_DATA is set (otherwise that or the build tree's folder serves).
void UseDataFolderBeside(const std::filesystem::path& programDir);
// A file inside the data folder, e.g. DataFile("hip.txt").
std::filesystem::path DataFile(std::string_view name);

} // namespace platform
