#include "NewFile.h"

#include <cerrno>

namespace platform {

std::FILE* CreateNewFile(const std::filesystem::path& file, std::error_code& error) {
    errno = 0;
    // "x": exclusive creation (O_CREAT | O_EXCL), which also refuses to follow a link.
#ifdef _WIN32
    std::FILE* f = _wfopen(file.c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(file.c_str(), "wbx");
#endif
    if (f == nullptr) {
        error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
    } else {
        error.clear();
    }
    return f;
}

} // namespace platform
