// Whole-file writes: a file is replaced whole or left as it was, and no temporary file is left.
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("nv_atomic_" + std::to_string(std::random_device{}()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};

std::string Content(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST(AtomicFile, CreatesAndReplacesWholeLeavingNothingElse) {
    TempFolder dir;
    const fs::path file = dir.path / "picture.bmp";
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(file, Bytes("first, longer content"), &error)) << error;
    EXPECT_EQ(Content(file), "first, longer content");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(platform::WriteFileAtomically(file, Bytes("second"), &error)) << error;
    EXPECT_EQ(Content(file), "second"); // not "secondlonger content": replaced, not overwritten
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"picture.bmp"});
    ASSERT_TRUE(platform::WriteFileAtomically(file, {}, &error)) << error;
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST(AtomicFile, FailuresNameThePathAndTheReasonAndKeepTheOldFile) {
    TempFolder dir;
    std::string error;
    const fs::path missing = dir.path / "no such folder" / "picture.bmp";
    EXPECT_FALSE(platform::WriteFileAtomically(missing, Bytes("x"), &error));
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;

    const fs::path folder = dir.path / "a folder";
    fs::create_directories(folder / "inside");
    EXPECT_FALSE(platform::WriteFileAtomically(folder, Bytes("x"), &error));
    EXPECT_TRUE(fs::exists(folder / "inside"));

    // A folder that refuses new files (skipped where the user may write anywhere).
    const fs::path locked = dir.path / "locked";
    fs::create_directories(locked);
    ASSERT_TRUE(platform::WriteFileAtomically(locked / "old.bmp", Bytes("old"), &error)) << error;
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (!std::ofstream(locked / "probe")) {
        EXPECT_FALSE(platform::WriteFileAtomically(locked / "old.bmp", Bytes("new"), &error));
        EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
        EXPECT_EQ(Content(locked / "old.bmp"), "old");
        EXPECT_EQ(Names(locked), std::vector<std::string>{"old.bmp"});
    }
    fs::permissions(locked, fs::perms::owner_all);
}
