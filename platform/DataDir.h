// Where the program's data folder is. Pure C++: the application tells it where the program is at
// start; tests and tools may point it elsewhere.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The data folder, the first of: the folder set by SetDataDir; $NIGHTVANE_DATA; a "data" folder
// beside the program; the installed folder (share/nightvanegl/data beside the program's bin/
// folder); the build tree's folder.
std::filesystem::path DataDir();
void SetDataDir(const std::filesystem::path& dir);
// The folder the running program is in (for the folders looked for beside it).
void SetProgramDir(const std::filesystem::path& dir);
// A file inside the data folder, e.g. DataFile("hip.txt").
std::filesystem::path DataFile(std::string_view name);

} // namespace platform
