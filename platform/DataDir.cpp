#include "DataDir.h"

#include <cstdlib>

#ifndef NV_DEFAULT_DATA_DIR
#define NV_DEFAULT_DATA_DIR "data"
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
    const std::filesystem::path beside = programDir / "data";
    std::error_code error;
    if (std::filesystem::is_directory(beside, error)) SetDataDir(beside);
}

std::filesystem::path DataFile(std::string_view name) {
    return DataDir() / std::filesystem::path(name);
}

} // namespace platform
