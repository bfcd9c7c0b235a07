#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Fail(std::string* error, const fs::path& file, const std::string& reason) {
    if (error) {
        const std::u8string name = file.u8string();
        *error = std::string(name.begin(), name.end()) + ": " + reason;
    }
    return false;
}

std::string Reason(int code) {
    return std::generic_category().message(code);
}

// Creates a new file next to `file` that did not exist before ("wbx": exclusive creation). Returns
// null with errno set when no such file can be made.
std::FILE* CreateTemporary(const fs::path& file, fs::path& tmp) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tmp = file;
        tmp += "." + std::to_string(random() % 1000000000) + ".tmp";
        errno = 0;
#ifdef _WIN32
        std::FILE* f = _wfopen(tmp.c_str(), L"wbx");
#else
        std::FILE* f = std::fopen(tmp.c_str(), "wbx");
#endif
        if (f != nullptr) return f;
        if (errno != EEXIST) return nullptr;
    }
    errno = EEXIST;
    return nullptr;
}

} // namespace

bool WriteFileAtomically(const fs::path& file, std::span<const std::uint8_t> bytes, std::string* error) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) return Fail(error, file, "is a folder");

    fs::path tmp;
    std::FILE* out = CreateTemporary(file, tmp);
    if (out == nullptr) return Fail(error, file, Reason(errno != 0 ? errno : EIO));

    // A full disk shows as a short write or, for the buffered tail, as a failing close.
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    int code = written ? 0 : (errno != 0 ? errno : EIO);
    if (std::fclose(out) != 0 && code == 0) code = errno != 0 ? errno : EIO;
    if (code != 0) {
        fs::remove(tmp, ec);
        return Fail(error, file, Reason(code));
    }
    // A replaced file keeps its permissions.
    if (const fs::file_status old = fs::status(file, ec); !ec && fs::is_regular_file(old))
        fs::permissions(tmp, old.permissions(), ec);
    fs::rename(tmp, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return Fail(error, file, ec.message());
    }
    return true;
}

} // namespace platform
