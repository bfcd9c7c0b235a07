// Hostile files and disks: reading only regular files, never more than asked for; replacing a
// file so that a failed write (a full disk) keeps the old one and a link planted beside it is
// never followed.
#include "platform/FileText.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef __unix__
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path TempDir() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("nv_files_" + std::to_string(std::random_device{}()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

void Spit(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

// Files in the folder besides the ones named.
int OtherFiles(const fs::path& dir, std::initializer_list<std::string> known) {
    int n = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        n += std::find(known.begin(), known.end(), e.path().filename().string()) == known.end();
    return n;
}

} // namespace

TEST(HostileFiles, ReadsRegularFilesUpToTheLimit) {
    const fs::path file = TempDir() / "text.txt";
    Spit(file, "0123456789");
    EXPECT_EQ(nv::ReadWholeFile(file, 100).value_or("?"), "0123456789");
    EXPECT_EQ(nv::ReadWholeFile(file, 4).value_or("?"), "0123");
    EXPECT_EQ(nv::RegularFileSize(file).value_or(0), 10u);
    std::string why;
    EXPECT_FALSE(nv::ReadWholeFile(TempDir() / "absent.txt", 100, &why));
    EXPECT_NE(why.find("absent.txt"), std::string::npos);

    // A 5 GB file (sparse) costs no more than the limit: the catalogue's cap holds.
    const fs::path huge = TempDir() / "huge.txt";
    std::ofstream(huge).put('x');
    fs::resize_file(huge, 5ull << 30);
    const auto bytes = nv::ReadWholeFile(huge, 1u << 20);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 1u << 20);
    fs::remove(huge);
}

TEST(HostileFiles, FoldersAndPipesAreRefusedAtOnce) {
    // A folder named like a data file: refused before anything is allocated for it.
    const fs::path folder = TempDir() / "milky.bmp";
    fs::create_directories(folder);
    std::string why;
    EXPECT_FALSE(nv::RegularFileSize(folder, &why));
    EXPECT_NE(why.find("folder"), std::string::npos) << why;
    EXPECT_FALSE(nv::ReadWholeFile(folder, 1000, &why));
#ifdef __unix__
    // A FIFO would block the reader until someone writes to it: refused without waiting.
    const fs::path fifo = TempDir() / "m42.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(nv::ReadWholeFile(fifo, 1000, &why));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(why.find("pipe"), std::string::npos) << why;
    EXPECT_NE(why.find("m42.bmp"), std::string::npos) << why;
#endif
}

TEST(HostileFiles, ReplacingNeverFollowsALinkPlantedBesideTheFile) {
    const fs::path dir = TempDir() / "links";
    fs::create_directories(dir);
    const fs::path file = dir / "NightvaneGL.ini", victim = dir / "victim.txt";
    Spit(victim, "precious");
    // The names a writer with a fixed temporary name would use, pointing at someone else's file.
    fs::create_symlink(victim, dir / "NightvaneGL.ini.tmp");
    fs::create_symlink(victim, dir / ".NightvaneGL.ini.tmp");
    EXPECT_TRUE(platform::WriteFileAtomically(file, Bytes("new settings")));
    EXPECT_EQ(Slurp(victim), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    EXPECT_EQ(Slurp(file), "new settings");
    EXPECT_EQ(
        OtherFiles(dir, {"NightvaneGL.ini", "victim.txt", "NightvaneGL.ini.tmp", ".NightvaneGL.ini.tmp"}), 0);
}

#ifdef __unix__
// A disk that fills up half way through the write: simulated with a file-size limit, under which
// writing past the limit fails with "File too large" (the signal that would end the process is
// ignored, as a full disk sends none).
TEST(HostileFiles, AFullDiskKeepsTheOldFileAndSaysWhy) {
    const fs::path dir = TempDir() / "full";
    fs::create_directories(dir);
    const fs::path file = dir / "sky.bmp";
    Spit(file, "the old picture");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string why;
    EXPECT_FALSE(platform::WriteFileAtomically(file, Bytes(std::string(100000, 'x')), &why));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(why.find(file.string()), std::string::npos) << why;
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    EXPECT_EQ(Slurp(file), "the old picture");
    EXPECT_EQ(OtherFiles(dir, {"sky.bmp"}), 0) << "the temporary file is cleaned up";
}
#endif
