// The snapshot as a user runs it, one process each: with no display at all, with bad options, and
// against hostile data folders and disks.
#include "imaging/Bmp.h"
#include "planetarium/catalog/SettingsFile.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sys/stat.h> // mkfifo

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    QString out, err;
};

// Runs `command` with the data folder `data`, with or without the display the test was given; a
// process still running after two minutes (a FIFO blocking it) is killed and fails.
Result RunProgram(const QStringList& command, const fs::path& data, bool display = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NIGHTVANE_DATA", QString::fromStdString(data.string()));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!display) env.remove(name);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(command.front(), command.mid(1));
    Result r;
    if (!p.waitForFinished(120000)) return p.kill(), p.waitForFinished(), r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    // Qt's own note about a missing XDG_RUNTIME_DIR is not the program's.
    for (const QString& line : QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith("QStandardPaths:")) r.err += line + '\n';
    return r;
}

// A night view over London, the same on every run, with `more` options after it.
QStringList Snapshot(const fs::path& file, const QString& more = "--size 320x200") {
    return QStringList{NV_NIGHTVANE_EXE, "--snapshot", QString::fromStdString(file.string())} +
           ("--date 2026-12-06 --time 22:00 --zone 0 --lat 51.5 --lon -0.1 " + more).split(' ');
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pixels (x, y from the top) of the picture's rows [top, bottom) that pass `test` (blue, green, red).
int Count(const imaging::BmpImage& image, const std::function<bool(const std::uint8_t*)>& test, int top = 0,
          int bottom = -1) {
    int n = 0;
    for (int y = top; y < (bottom < 0 ? image.height : bottom); ++y)
        for (int x = 0; x < image.width; ++x) n += test(image.row(image.height - 1 - y) + 3 * x);
    return n;
}
int Lit(const imaging::BmpImage& image) {
    return Count(image, [](const std::uint8_t* p) { return p[0] + p[1] + p[2] > 0; });
}

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }

    // A copy of the real data folder (links to its files) in which the test may replace files.
    fs::path DataCopy(nv::SettingSwitch onlyLayer) {
        const fs::path copy = m_dir / "data";
        fs::create_directories(copy);
        for (const fs::directory_entry& e : fs::directory_iterator(NV_TEST_DATA_DIR))
            fs::create_symlink(e.path(), copy / e.path().filename());
        ShowOnly(copy, onlyLayer);
        return copy;
    }
    // Rewrites the copy's settings: only `layer` on (none for kSettingSwitchCount).
    static void ShowOnly(const fs::path& copy, nv::SettingSwitch layer) {
        nv::SettingsFile settings = nv::DefaultSettings();
        settings.m_switches.fill(false);
        if (layer < nv::kSettingSwitchCount) settings.m_switches[layer] = true;
        fs::remove(copy / "NightvaneGL.ini");
        EXPECT_TRUE(nv::WriteSettingsFile(copy / "NightvaneGL.ini", settings).ok);
    }

    const fs::path m_dir =
        fs::temp_directory_path() / ("nv_snapshot_" + std::to_string(std::random_device{}()));
};

} // namespace

// Fault: the snapshot needs an X server, draws black, or starts from another view than the window
// (facing north: the green "North" low in the middle), or differs from the one drawn on the display.
TEST_F(SnapshotTest, WithNoDisplayAtAllThePictureIsTheSame) {
    const fs::path headless = m_dir / "headless.bmp", shown = m_dir / "display.bmp";
    const Result r = RunProgram(Snapshot(headless, "--size 640x400"), NV_TEST_DATA_DIR);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QString::fromStdString(headless.string())));
    EXPECT_EQ(fs::file_size(headless), 54u + 640 * 3 * 400);
    imaging::BmpImage a, b;
    ASSERT_TRUE(imaging::ReadBmp24(headless, a));
    EXPECT_GT(Lit(a), 2000) << "a real sky, not a black picture";
    const auto green = [](const std::uint8_t* p) { return p[0] < 100 && p[1] > 130 && p[2] < 100; };
    EXPECT_GT(Count(a, green, 300, 400), 10);
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display to compare with";
    ASSERT_EQ(RunProgram(Snapshot(shown, "--size 640x400"), NV_TEST_DATA_DIR, true).status, 0);
    ASSERT_TRUE(imaging::ReadBmp24(shown, b));
    ASSERT_TRUE(a.width == b.width && a.height == b.height);
    int differ = 0;
    for (std::size_t i = 0; i + 2 < a.pixels.size(); i += 3)
        differ += std::abs(a.pixels[i] - b.pixels[i]) + std::abs(a.pixels[i + 1] - b.pixels[i + 1]) +
                      std::abs(a.pixels[i + 2] - b.pixels[i + 2]) >
                  6;
    EXPECT_LE(differ, 8);
}

// Fault: a bad option or a missing data folder reported as success (status 0, the success line, a
// flat grey picture) or as one message per missing file.
TEST_F(SnapshotTest, BadOptionsAndNoDataFolderFailWithOneMessage) {
    const fs::path file = m_dir / "sky.bmp";
    Result r = RunProgram(Snapshot(file, "--fov 0"), NV_TEST_DATA_DIR);
    EXPECT_TRUE(r.status == 2 && r.err.contains("--fov")) << r.err.toStdString();
    r = RunProgram(Snapshot(file), m_dir / "no such folder");
    EXPECT_TRUE(r.status != 0 && r.err.count('\n') == 1 && !r.out.contains("sky picture"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("data folder") && r.err.contains("no such folder")) << r.err.toStdString();
    EXPECT_FALSE(fs::exists(file));
}

// Fault: a FIFO named like the Milky Way picture blocks start-up; a folder in its place, or the
// missing picture, draws a flat grey night instead of leaving the layer out with a message; an
// empty star catalogue drawn without a word.
TEST_F(SnapshotTest, HostileDataFilesLeaveTheirLayerOutWithAMessage) {
    const fs::path data = DataCopy(nv::kSettingSwitchCount);
    const fs::path none = m_dir / "none.bmp", good = m_dir / "good.bmp", bad = m_dir / "bad.bmp";
    Result r = RunProgram(Snapshot(none), data);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ShowOnly(data, nv::kSetMilkyWay);
    ASSERT_EQ(RunProgram(Snapshot(good), data).status, 0);
    imaging::BmpImage image, empty;
    ASSERT_TRUE(imaging::ReadBmp24(good, image) && imaging::ReadBmp24(none, empty));
    EXPECT_GT(Lit(image), Lit(empty) + 5000) << "the Milky Way lights much of the picture";
    for (const bool pipe : {true, false}) {
        fs::remove(data / "milky.bmp");
        if (pipe)
            ASSERT_EQ(mkfifo((data / "milky.bmp").c_str(), 0600), 0);
        else
            fs::create_directory(data / "milky.bmp");
        r = RunProgram(Snapshot(bad), data);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("milky.bmp") && r.err.contains(pipe ? "pipe" : "folder"))
            << r.err.toStdString();
        EXPECT_EQ(Slurp(bad), Slurp(none)) << "no grey sphere in place of the missing picture";
        fs::remove(data / "milky.bmp");
    }
    ShowOnly(data, nv::kSetStars);
    fs::remove(data / "hip.txt");
    { std::ofstream touch(data / "hip.txt"); }
    r = RunProgram(Snapshot(bad), data);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains("holds no stars")) << r.err.toStdString();
}

// Fault: a disk that fills up (a file-size limit here) leaves a truncated picture in place of the
// old one, or a temporary file beside it, or a message without the path and the reason.
TEST_F(SnapshotTest, AFullDiskKeepsTheOldPicture) {
    const fs::path file = m_dir / "sky.bmp";
    std::ofstream(file, std::ios::binary) << "the old picture";
    const QString command = "trap '' XFSZ; ulimit -f 64; exec \"$0\" \"$@\"";
    const Result r = RunProgram(QStringList{"/bin/sh", "-c", command} + Snapshot(file), NV_TEST_DATA_DIR);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QString::fromStdString(file.string())) && r.err.contains("too large"))
        << r.err.toStdString();
    EXPECT_EQ(Slurp(file), "the old picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1)
        << "a file left beside it";
}
