#include "platform/FileText.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define NV_POSIX_FILES 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace nv {
namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& p) {
    return "\"" + p.string() + "\"";
}

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

// Why a path that exists is not a regular file.
std::string KindProblem(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory:
        return "is a folder, not a file";
    case fs::file_type::fifo:
        return "is a pipe (FIFO), not a file";
    case fs::file_type::block:
    case fs::file_type::character:
        return "is a device, not a file";
    case fs::file_type::socket:
        return "is a socket, not a file";
    default:
        return "is not a regular file";
    }
}

std::nullopt_t Fail(std::string* why, std::string text) {
    if (why != nullptr) *why = std::move(text);
    return std::nullopt;
}

} // namespace

std::optional<std::uintmax_t> RegularFileSize(const fs::path& file, std::string* why) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return Fail(why, Quoted(file) + " does not exist");
    if (ec) return Fail(why, Quoted(file) + ": " + ec.message());
    if (status.type() != fs::file_type::regular)
        return Fail(why, Quoted(file) + " " + KindProblem(status.type()));
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) return Fail(why, Quoted(file) + ": " + ec.message());
    return size;
}

namespace {

#ifdef NV_POSIX_FILES
// Opens a regular file for reading without waiting (a FIFO swapped in after the check would
// otherwise block the open) and checks its kind again on the descriptor. -1 with the reason.
int OpenRegular(const fs::path& file, std::string* why) {
    if (!RegularFileSize(file, why)) return -1;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Fail(why, Quoted(file) + ": " + SystemReason(errno));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Fail(why, Quoted(file) + " is not a regular file");
        return -1;
    }
    return fd;
}

// Reads up to into.size() bytes at `offset`; the count read, or -1 with errno set.
long long ReadAt(int fd, std::uint64_t offset, std::span<char> into) {
    std::size_t done = 0;
    while (done < into.size()) {
        const ssize_t n =
            ::pread(fd, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break; // the end of the file
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}
#endif

} // namespace

std::optional<std::string> ReadWholeFile(const fs::path& file, std::size_t maxBytes, std::string* why) {
#ifdef NV_POSIX_FILES
    const int fd = OpenRegular(file, why);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    ::fstat(fd, &st);
    std::string bytes(
        std::min(static_cast<std::uintmax_t>(st.st_size), static_cast<std::uintmax_t>(maxBytes)), '\0');
    const long long n = ReadAt(fd, 0, bytes);
    const int error = errno;
    ::close(fd);
    if (n < 0) return Fail(why, Quoted(file) + ": " + SystemReason(error));
    bytes.resize(static_cast<std::size_t>(n)); // the file became shorter
    return bytes;
#else
    if (!RegularFileSize(file, why)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return Fail(why, Quoted(file) + " cannot be opened");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return Fail(why, Quoted(file) + " cannot be read");
    std::string bytes(std::min(static_cast<std::size_t>(size), maxBytes), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
#endif
}

bool ReadFileInto(const fs::path& file, std::uint64_t offset, std::span<char> into, std::string* why) {
#ifdef NV_POSIX_FILES
    const int fd = OpenRegular(file, why);
    if (fd < 0) return false;
    const long long n = ReadAt(fd, offset, into);
    const int error = errno;
    ::close(fd);
    if (n < 0) {
        Fail(why, Quoted(file) + ": " + SystemReason(error));
        return false;
    }
#else
    if (!RegularFileSize(file, why)) return false;
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(into.data(), static_cast<std::streamsize>(into.size()));
    const long long n = in.gcount();
#endif
    if (static_cast<std::size_t>(n) == into.size()) return true;
    Fail(why, Quoted(file) + " is shorter than expected");
    return false;
}

} // namespace nv
