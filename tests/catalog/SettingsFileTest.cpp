// The 17-line settings file and the proper names of starnames.txt.
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarNames.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

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
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file with the given switch values and place, with the given line end.
std::string Make(const std::array<bool, 14>& sw, const std::string& end, const std::string& lon = "-1.250000",
                 const std::string& lat = "51.500000", const std::string& gmt = "1") {
    auto flag = [&](int i) { return (sw[i] ? "TRUE" : "FALSE") + end; };
    std::string text;
    for (int i = 0; i < 12; ++i) text += flag(i);
    return text + lon + end + lat + end + gmt + end + flag(12) + flag(13);
}

} // namespace

// Catches a reader tied to one line end, a half-hour zone cut to whole hours, text read as
// anything but 0, and a short or missing file that loses the defaults or says nothing.
TEST(SettingsFile, EveryLineEndReadsAndWhatIsMissingKeepsItsDefault) {
    std::array<bool, 14> sw{};
    for (int i = 0; i < 14; ++i) sw[i] = i % 3 != 1;
    nv::SettingsFile s;
    for (const std::string end : {"\r\r\n", "\r\n", "\n"}) {
        EXPECT_TRUE(nv::ParseSettings(Make(sw, end), s).ok && s.m_switches == sw && s.m_longitude == -1.25 &&
                    s.m_latitude == 51.5 && s.m_gmtOffset == 1.0f)
            << "line end " << end.size();
    }
    nv::ParseSettings(Make(sw, "\n", "10", "-33.9", "-3.5"), s);
    EXPECT_TRUE(s.m_gmtOffset == -3.5f && s.m_latitude == -33.9);
    EXPECT_TRUE(nv::ParseSettings(Make({}, "\n", "east", "north", "z") + "extra line\n", s).ok);
    EXPECT_TRUE(s.m_longitude == 0.0 && s.m_latitude == 0.0 && s.m_gmtOffset == 0.0f &&
                s.m_switches == decltype(sw){});

    s.m_switches.fill(true);
    nv::SettingsReport report = nv::ReadSettingsFile(TempDir() / "absent.ini", s);
    EXPECT_TRUE(!report.ok && report.message.find("absent.ini") != std::string::npos) << report.message;
    EXPECT_EQ(s.m_switches, nv::DefaultSettings().m_switches);
    EXPECT_TRUE(s.m_latitude == 53.0 && s.m_longitude == 0.0 && s.m_gmtOffset == 0.0f);
    report = nv::ParseSettings("FALSE\r\r\nFALSE\r\r\nTRUE\r\r\n", s); // three lines only
    EXPECT_FALSE(report.ok || report.message.empty());
    EXPECT_TRUE(!s.m_switches[nv::kSetStars] && s.m_switches[nv::kSetRaDec] &&
                s.m_switches[nv::kSetPlanets] && s.m_latitude == 53.0);
}

// Catches latitude 1000, longitude 1e308, zone 1e30 or nan/inf taken silently, and a guard that
// refuses its own edge or lets a hair past it through: each keeps its default (latitude 53,
// longitude 0, zone 0), the message names it, the rest of the file still counts.
TEST(SettingsFile, ImpossiblePlacesKeepTheDefaultsWithAMessage) {
    std::array<bool, 14> sw{};
    sw[nv::kSetNightVision] = true;
    struct Case {
        const char *lon, *lat, *gmt;
        double wantLon, wantLat, wantGmt;
        std::vector<std::string> named; // in the message
    };
    const Case cases[] = {
        {"1e308", "1000", "1e30", 0, 53, 0, {"longitude 1e+308", "latitude 1000", "zone 1e+30"}},
        {"nan", "inf", "-INFINITY", 0, 53, 0, {"\"nan\"", "\"inf\"", "\"-INFINITY\""}},
        {"1e999", "-90.000001", "-14.5", 0, 53, 0, {"\"1e999\"", "latitude -90.000001", "zone -14.5"}},
        {"-180", "90", "14", -180, 90, 14, {}},
        {"180.5", "0", "0", 0, 0, 0, {"longitude 180.5"}},
    };
    for (const Case& c : cases) {
        nv::SettingsFile s;
        const nv::SettingsReport report = nv::ParseSettings(Make(sw, "\r\r\n", c.lon, c.lat, c.gmt), s);
        EXPECT_TRUE(report.ok == c.named.empty() && s.m_longitude == c.wantLon && s.m_latitude == c.wantLat &&
                    s.m_gmtOffset == static_cast<float>(c.wantGmt) && s.m_switches == sw)
            << c.lon << " " << c.lat << " " << c.gmt;
        for (const std::string& n : c.named)
            EXPECT_NE(report.message.find(n), std::string::npos) << report.message;
    }
}

// Catches a wrong line order or line end, a half-hour zone rounded on saving, a file not created
// when none was there, a temporary file written through a link planted at its name, and a
// failed write reported without its reason.
TEST(SettingsFile, WritesSeventeenCrCrLfLinesAndNeverThroughALink) {
    nv::SettingsFile s = nv::DefaultSettings(), back;
    s.m_longitude = -1.25f, s.m_latitude = 51.5f, s.m_gmtOffset = -3.5f;
    s.m_switches[nv::kSetNightVision] = true;
    const fs::path dir = TempDir() / "write", file = dir / "NightvaneGL.ini"; // not there yet
    fs::create_directories(dir);
    std::ofstream(dir / "victim") << "keep me";
    fs::create_symlink(dir / "victim", file.string() + ".tmp");
    ASSERT_TRUE(nv::WriteSettingsFile(file, s).ok);
    EXPECT_EQ(
        Slurp(file),
        "TRUE\r\r\nTRUE\r\r\nFALSE\r\r\nFALSE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\nTRUE\r\r\n"
        "TRUE\r\r\nFALSE\r\r\nTRUE\r\r\n-1.250000\r\r\n51.500000\r\r\n-3.500000\r\r\nFALSE\r\r\nTRUE\r\r\n");
    EXPECT_EQ(Slurp(dir / "victim"), "keep me");
    ASSERT_TRUE(nv::ReadSettingsFile(file, back).ok);
    EXPECT_TRUE(back.m_switches == s.m_switches && back.m_gmtOffset == -3.5f);
    for (auto [zone, text] : {std::pair{6.0f, "6"}, {-11.0f, "-11"}, {0.0f, "0"}, {5.75f, "5.750000"}})
        EXPECT_EQ(nv::GmtOffsetText(zone), text);

    const nv::SettingsReport report = nv::WriteSettingsFile(dir / "victim" / "NightvaneGL.ini", s);
    const std::string reason = std::make_error_code(std::errc::not_a_directory).message();
    EXPECT_TRUE(!report.ok && report.message.find(reason) != std::string::npos) << report.message;
    fs::remove_all(dir);
}

// Catches a switch applied to the wrong layer (the file's order is typed here) and the place or
// zone not carried into the sky state.
TEST(SettingsFile, AppliesToTheSkyStateInFileOrder) {
    using L = nv::LayerSwitches;
    bool L::*const field[] = {&L::m_showStars,    &L::m_showStarNames,    &L::m_showRaDec,
                              &L::m_showEcliptic, &L::m_showPlanets,      &L::m_showGround,
                              &L::m_showMilkyWay, &L::m_showConstLines,   &L::m_showConstNames,
                              &L::m_showMessiers, &L::m_showMessierNames, &L::m_showDayLight,
                              &L::m_showAltAzi};
    for (int on = 0; on < nv::kSettingSwitchCount; ++on) {
        nv::SettingsFile s;
        s.m_switches[on] = true;
        s.m_longitude = 12.5, s.m_latitude = -40.0, s.m_gmtOffset = 2.0f;
        nv::SkyState state;
        nv::ApplySettings(s, state);
        for (int k = 0; k < 13; ++k) EXPECT_EQ(state.sw.*field[k], k == on) << on << " " << k;
        EXPECT_TRUE(state.g_nightVision == (on == nv::kSetNightVision) && state.sw.m_showEyepiece) << on;
        EXPECT_TRUE(state.g_longitude == 12.5 && state.g_latitude == -40.0 && state.g_gmtOffset == 2.0f);
        EXPECT_EQ(nv::SettingsFromState(state).m_switches, s.m_switches) << on;
    }
    // The data builder's file is the defaults' file.
    const fs::path shipped = fs::path(NV_TEST_DATA_DIR) / "NightvaneGL.ini";
    EXPECT_TRUE(!fs::exists(shipped) || Slurp(shipped) == nv::FormatSettings(nv::DefaultSettings()));
}

// Catches a name stored at the wrong number, a number past the table taken, more than 96 lines
// read, a line without a TAB that fails to clear its slot, and a missing file that wipes names.
TEST(StarNames, NamesGoToTheirNumbers) {
    auto names = std::make_unique<std::array<std::string, nv::kStarSlots>>();
    const std::string text = "Sirius\t32349\nAlpha Centauri\t   71683 trailing\r\n\nVega\t91262\nWega\t91262"
                             "\nNobody\t118322\nNegative\t-4\nLast\t118321";
    const nv::StarNamesReport report = nv::ParseStarNames(text, *names);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ((*names)[32349], "Sirius");
    EXPECT_EQ((*names)[71683], "Alpha Centauri"); // spaces kept, white space before the number allowed
    EXPECT_EQ((*names)[91262], "Wega");           // the later line wins
    EXPECT_EQ((*names)[118321], "Last");
    EXPECT_TRUE(report.linesIgnored == 2 && report.namesStored == 5);

    (*names)[1] = "Old";
    std::string lines = "1\n";
    for (int i = 2; i <= 96; ++i)
        lines += i % 2 ? "\n" : "Star" + std::to_string(i) + "\t" + std::to_string(i) + "\n";
    nv::ParseStarNames(lines + "Ninety-seventh\t97\n", *names);
    EXPECT_TRUE((*names)[1].empty() && (*names)[96] == "Star96" && (*names)[97].empty());

    auto catalog = std::make_unique<nv::SkyCatalog>();
    catalog->m_starNames[1] = "Kept";
    const nv::StarNamesReport missing = nv::ReadStarNames(TempDir() / "absent" / "starnames.txt", *catalog);
    EXPECT_TRUE(!missing.ok && missing.message.find("starnames.txt") != std::string::npos);
    EXPECT_EQ(catalog->m_starNames[1], "Kept");
}
