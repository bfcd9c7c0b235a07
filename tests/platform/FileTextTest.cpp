// Hostile files: reading only regular files, never more than asked for; replacing a file whole,
// never following a link planted beside it. (A full disk: the snapshot's own test.)
#include "platform/FileText.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    const fs::path dir = fs::temp_directory_path() / ("nv_files_" + std::to_string(std::random_device{}()));

    std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool Write(const fs::path& p, const std::string& text, std::string* why = nullptr) {
        return platform::WriteFileAtomically(p, std::vector<std::uint8_t>(text.begin(), text.end()), why);
    }
    std::set<std::string> Names() {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
        return out;
    }
};

} // namespace

// Fault: a file read past the limit asked for (a 5 GB catalogue read whole), a missing file failing
// without its name, a folder named like a data file read (a huge buffer), or a FIFO blocking the
// reader until someone writes to it.
TEST_F(HostileFiles, ReadsRegularFilesOnlyUpToTheLimit) {
    const fs::path file = dir / "text.txt";
    std::ofstream(file, std::ios::binary) << "0123456789";
    EXPECT_EQ(nv::ReadWholeFile(file, 100).value_or("?"), "0123456789");
    EXPECT_EQ(nv::ReadWholeFile(file, 4).value_or("?"), "0123");
    EXPECT_EQ(nv::RegularFileSize(file).value_or(0), 10u);
    std::string why;
    EXPECT_FALSE(nv::ReadWholeFile(dir / "absent.txt", 100, &why));
    EXPECT_NE(why.find("absent.txt"), std::string::npos);
    const fs::path huge = dir / "huge.txt"; // sparse
    std::ofstream(huge).put('x');
    fs::resize_file(huge, 5ull << 30);
    EXPECT_EQ(nv::ReadWholeFile(huge, 1u << 20).value_or("").size(), 1u << 20);

    fs::create_directories(dir / "milky.bmp");
    EXPECT_FALSE(nv::RegularFileSize(dir / "milky.bmp", &why));
    EXPECT_NE(why.find("folder"), std::string::npos) << why;
    EXPECT_FALSE(nv::ReadWholeFile(dir / "milky.bmp", 1000, &why));
    const fs::path fifo = dir / "m42.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(nv::ReadWholeFile(fifo, 1000, &why));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(why.find("pipe") != std::string::npos && why.find("m42.bmp") != std::string::npos) << why;
}

// Fault: a longer old file overwritten in place (its tail left), its permissions lost, a temporary
// file left beside it, or a failure without the path and the system's reason.
TEST_F(HostileFiles, ReplacesWholeSafelyOrFailsWithTheReason) {
    const fs::path file = dir / "picture.bmp";
    std::string why;
    ASSERT_TRUE(Write(file, "first, longer content", &why)) << why;
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    ASSERT_TRUE(Write(file, "second", &why)) << why;
    EXPECT_EQ(Slurp(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    EXPECT_EQ(Names(), std::set<std::string>{"picture.bmp"});

    const fs::path missing = dir / "no such folder" / "picture.bmp";
    EXPECT_FALSE(Write(missing, "x", &why));
    EXPECT_NE(why.find(missing.string()), std::string::npos) << why;
    EXPECT_NE(why.find("No such file or directory"), std::string::npos) << why;
    fs::create_directories(dir / "a folder" / "inside");
    EXPECT_FALSE(Write(dir / "a folder", "x", &why));
    EXPECT_TRUE(fs::exists(dir / "a folder" / "inside"));

    // Fault: the writer following a link planted under its temporary name onto someone else's file.
    fs::remove_all(dir / "a folder"), fs::remove(file);
    const fs::path settings = dir / "NightvaneGL.ini", victim = dir / "victim.txt";
    std::ofstream(victim, std::ios::binary) << "precious";
    fs::create_symlink(victim, dir / "NightvaneGL.ini.tmp");
    fs::create_symlink(victim, dir / ".NightvaneGL.ini.tmp");
    EXPECT_TRUE(Write(settings, "new settings"));
    EXPECT_EQ(Slurp(victim), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(settings)));
    EXPECT_EQ(Slurp(settings), "new settings");
    EXPECT_EQ(Names(), (std::set<std::string>{".NightvaneGL.ini.tmp", "NightvaneGL.ini",
                                              "NightvaneGL.ini.tmp", "victim.txt"}));
}
