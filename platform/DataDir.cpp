#include "DataDir.h"

#include <cstdlib>
#include <system_error>

#ifndef NV_DEFAULT_DATA_DIR
#define NV_DEFAULT_DATA_DIR "data"
#endif
// The installed data folder, relative to the installed programs' folder.
#ifndef NV_INSTALLED_DATA_DIR
#define NV_INSTALLED_DATA_DIR "../share/nightvanegl/data"
#endif

namespace platform {
namespace {
std::filesystem::path& Override() {
    static std::filesystem::path dir;
    return dir;
}
} // namespace

std::filesystem::path DataDir() {
    if (!Override().empty()) return Override();
    if (const char* env = std::getenv("NIGHTVANE_DATA"); env && *env) return env;
    return NV_DEFAULT_DATA_DIR;
}

void SetDataDir(const std::filesystem::path& dir) {
    Override() = dir;
}

void UseDataFolderBeside(const std::filesystem::path& programDir) {
    if (const char* env = std::getenv("NIGHTVANE_DATA"); env && *env) return;
    for (const char* relative : {"data", NV_INSTALLED_DATA_DIR}) {
        const std::filesystem::path dir = (programDir / relative).lexically_normal();
        std::error_code error;
        if (std::filesystem::is_directory(dir, error)) {
            SetDataDir(dir);
            return;
        }
    }
}

std::filesystem::path DataFile(std::string_view name) {
    return DataDir() / std::filesystem::path(name);
}

} // namespace platform
