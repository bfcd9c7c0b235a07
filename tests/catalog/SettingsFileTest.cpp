// The 17-line settings file: exact layout on writing, tolerant reading, defaults for what is
// missing, and a failed write that keeps the old file.
#include "planetarium/catalog/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path TempDir() {
    static const fs::path dir =
        fs::temp_directory_path() / ("nv_settings_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    return dir;
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spit(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

// A file with the given switch values and place, with the given line end.
std::string Make(const std::array<bool, 14>& sw, const std::string& end, const std::string& lon = "-1.250000",
                 const std::string& lat = "51.500000", const std::string& gmt = "1") {
    std::string text;
    for (int i = 0; i < 12; ++i) text += (sw[i] ? "TRUE" : "FALSE") + end;
    text += lon + end + lat + end + gmt + end;
    text += (sw[12] ? "TRUE" : "FALSE") + end;
    text += (sw[13] ? "TRUE" : "FALSE") + end;
    return text;
}

} // namespace

TEST(SettingsFile, WritesSeventeenLinesWithCrCrLf) {
    nv::SettingsFile s = nv::DefaultSettings();
    s.m_longitude = -1.25f;
    s.m_latitude = 51.5f;
    s.m_gmtOffset = -3.5f; // whole hours on writing, truncated toward zero
    const std::string text = nv::FormatSettings(s);
    EXPECT_EQ(text,
              "TRUE\r\r\nTRUE\r\r\nFALSE\r\r\nFALSE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\n"
              "TRUE\r\r\nFALSE\r\r\nTRUE\r\r\n-1.250000\r\r\n51.500000\r\r\n-3\r\r\nFALSE\r\r\nFALSE\r\r\n");
}

TEST(SettingsFile, RoundTripAndEveryLineEndReadsItsSwitches) {
    std::array<bool, 14> sw{};
    for (int i = 0; i < 14; ++i) sw[i] = i % 3 != 1;
    for (const std::string end : {"\r\r\n", "\r\n", "\n"}) {
        nv::SettingsFile s;
        const nv::SettingsReport report = nv::ParseSettings(Make(sw, end), s);
        EXPECT_TRUE(report.ok) << report.message;
        for (int i = 0; i < 14; ++i) EXPECT_EQ(s.m_switches[i], sw[i]) << i << " line end " << end.size();
        EXPECT_DOUBLE_EQ(s.m_longitude, -1.25);
        EXPECT_DOUBLE_EQ(s.m_latitude, 51.5);
        EXPECT_EQ(s.m_gmtOffset, 1.0f);
    }
    // A hand-written half-hour zone reads as it stands.
    nv::SettingsFile s;
    nv::ParseSettings(Make(sw, "\n", "10", "-33.9", "-3.5"), s);
    EXPECT_EQ(s.m_gmtOffset, -3.5f);
    EXPECT_DOUBLE_EQ(s.m_latitude, -33.9);

    // Through a file: write, read back, same values.
    s.m_switches = sw;
    const fs::path file = TempDir() / "NightvaneGL.ini";
    ASSERT_TRUE(nv::WriteSettingsFile(file, s).ok);
    nv::SettingsFile back;
    ASSERT_TRUE(nv::ReadSettingsFile(file, back).ok);
    EXPECT_EQ(back.m_switches, sw);
    EXPECT_DOUBLE_EQ(back.m_latitude, -33.9);
    EXPECT_EQ(back.m_gmtOffset, -3.0f);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST(SettingsFile, MissingOrShortFilesGiveDefaults) {
    const nv::SettingsFile d = nv::DefaultSettings();
    EXPECT_TRUE(d.m_switches[nv::kSetStars] && d.m_switches[nv::kSetStarNames] &&
                d.m_switches[nv::kSetPlanets] && d.m_switches[nv::kSetMilkyWay] &&
                d.m_switches[nv::kSetConstLines] && d.m_switches[nv::kSetConstNames] &&
                d.m_switches[nv::kSetMessiers] && d.m_switches[nv::kSetDayLight] &&
                d.m_switches[nv::kSetGround]);
    EXPECT_FALSE(d.m_switches[nv::kSetRaDec] || d.m_switches[nv::kSetAltAzi] ||
                 d.m_switches[nv::kSetEcliptic] || d.m_switches[nv::kSetNightVision]);
    EXPECT_EQ(d.m_latitude, 53.0);
    EXPECT_EQ(d.m_longitude, 0.0);
    EXPECT_EQ(d.m_gmtOffset, 0.0f);

    nv::SettingsFile s;
    s.m_switches.fill(true);
    nv::SettingsReport report = nv::ReadSettingsFile(TempDir() / "absent.ini", s);
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.message.find("absent.ini"), std::string::npos);
    EXPECT_EQ(s.m_switches, d.m_switches);

    // Three lines only: those are read, the rest keep their defaults, and the user is told.
    report = nv::ParseSettings("FALSE\r\r\nFALSE\r\r\nTRUE\r\r\n", s);
    EXPECT_FALSE(report.ok);
    EXPECT_FALSE(s.m_switches[nv::kSetStars]);
    EXPECT_TRUE(s.m_switches[nv::kSetRaDec]);
    EXPECT_TRUE(s.m_switches[nv::kSetPlanets]);
    EXPECT_EQ(s.m_latitude, 53.0);

    // Garbage numbers read as 0, switch lines other than TRUE as false.
    report = nv::ParseSettings(Make({}, "\n", "east", "nan", "1e999") + "extra line\n", s);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(s.m_longitude, 0.0);
    EXPECT_EQ(s.m_latitude, 0.0);
    EXPECT_EQ(s.m_gmtOffset, 0.0f);
}

TEST(SettingsFile, FailedWriteKeepsTheOldFile) {
    const fs::path file = TempDir() / "keep.ini";
    Spit(file, "OLD");
    fs::create_directories(file.string() + ".tmp"); // the temporary file cannot be created
    nv::SettingsReport report = nv::WriteSettingsFile(file, nv::DefaultSettings());
    EXPECT_FALSE(report.ok);
    EXPECT_FALSE(report.message.empty());
    EXPECT_EQ(Slurp(file), "OLD");
    fs::remove_all(file.string() + ".tmp");

    // Writing where there was no file creates it.
    const fs::path fresh = TempDir() / "fresh.ini";
    ASSERT_TRUE(nv::WriteSettingsFile(fresh, nv::DefaultSettings()).ok);
    EXPECT_EQ(Slurp(fresh), nv::FormatSettings(nv::DefaultSettings()));
}

TEST(SettingsFile, AppliesToTheSkyStateInFileOrder) {
    for (int on = 0; on < nv::kSettingSwitchCount; ++on) {
        nv::SettingsFile s;
        s.m_switches[on] = true;
        s.m_longitude = 12.5;
        s.m_latitude = -40.0;
        s.m_gmtOffset = 2.0f;
        nv::SkyState state;
        nv::ApplySettings(s, state);
        const nv::SettingsFile back = nv::SettingsFromState(state);
        EXPECT_EQ(back.m_switches, s.m_switches) << on;
        EXPECT_EQ(state.g_latitude, -40.0);
        EXPECT_EQ(state.g_gmtOffset, 2.0f);
        EXPECT_TRUE(state.sw.m_showEyepiece); // not a setting
        int count = 0;
        for (bool b :
             {state.sw.m_showAltAzi, state.sw.m_showStars, state.sw.m_showStarNames, state.sw.m_showRaDec,
              state.sw.m_showEcliptic, state.sw.m_showPlanets, state.sw.m_showGround, state.sw.m_showMilkyWay,
              state.sw.m_showConstLines, state.sw.m_showConstNames, state.sw.m_showMessiers,
              state.sw.m_showMessierNames, state.sw.m_showDayLight, state.g_nightVision})
            count += b;
        EXPECT_EQ(count, 1);
    }
    nv::SkyState state;
    nv::ApplySettings(nv::DefaultSettings(), state);
    EXPECT_TRUE(state.sw.m_showStars);
    EXPECT_FALSE(state.sw.m_showAltAzi);
    EXPECT_FALSE(state.g_nightVision);
}

TEST(SettingsFile, ShippedDefaultFileMatchesTheDefaults) {
    const fs::path file = fs::path(NV_TEST_DATA_DIR) / "NightvaneGL.ini";
    if (!fs::exists(file)) GTEST_SKIP() << "no data folder built";
    EXPECT_EQ(Slurp(file), nv::FormatSettings(nv::DefaultSettings()));
    nv::SettingsFile s;
    EXPECT_TRUE(nv::ReadSettingsFile(file, s).ok);
    EXPECT_EQ(s.m_switches, nv::DefaultSettings().m_switches);
}
