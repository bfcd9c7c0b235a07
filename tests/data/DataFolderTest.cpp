// Checks the data folder that scripts/build-data writes: the star catalogue against published
// values, the pictures, the names file, and where the Milky Way lands.
#include "imaging/Bmp.h"
#include "planetarium/SkyState.h"
#include "planetarium/catalog/tables/ConstellationTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path DataDir() {
    const char* env = std::getenv("NIGHTVANE_DATA");
    return env && *env ? fs::path(env) : fs::path(NV_TEST_DATA_DIR);
}

struct CatalogueStar {
    double x, y, z, mag;
    char type[16];
};

class DataFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(fs::exists(DataDir() / "CREDITS"))
            << "the data folder " << DataDir() << " is not built: run scripts/build-data";
        std::ifstream f(DataDir() / "hip.txt");
        for (std::string line; std::getline(f, line);) {
            int hip = 0;
            CatalogueStar s{};
            const int n = std::sscanf(line.c_str(), "%d,%lf,%lf,%lf,%*f,%*f,%lf,%15s", &hip, &s.x, &s.y, &s.z,
                                      &s.mag, s.type);
            ASSERT_EQ(n, 6) << line;
            stars_[hip] = s;
        }
    }
    static std::map<int, CatalogueStar> stars_;
};
std::map<int, CatalogueStar> DataFolder::stars_;

TEST_F(DataFolder, CatalogueMatchesPublishedBrightStars) {
    EXPECT_GT(stars_.size(), 117000u);
    EXPECT_TRUE(stars_.begin()->first > 0 && stars_.rbegin()->first <= 118321);
    // Sirius, Polaris, Vega, Betelgeuse, Altair: number, RA, Dec, V and spectral letter.
    const double known[][4] = {{32349, 101.2872, -16.7161, -1.44},
                               {11767, 37.9545, 89.2641, 1.97},
                               {91262, 279.2347, 38.7837, 0.03},
                               {27989, 88.7929, 7.4071, 0.45},
                               {97649, 297.6958, 8.8683, 0.76}};
    for (int i = 0; i < 5; ++i) {
        const auto [hip, ra, dec, v] = known[i];
        SCOPED_TRACE(hip);
        ASSERT_EQ(stars_.count(int(hip)), 1u);
        const CatalogueStar& s = stars_[int(hip)];
        const double sRa = std::fmod(-std::atan2(s.x, s.z) * nv::g_radToDeg + 360.0, 360.0);
        EXPECT_NEAR((sRa - ra) * std::cos(dec * nv::g_degToRad) * 3600.0, 0.0, 1.0);
        EXPECT_NEAR((-std::asin(s.y) * nv::g_radToDeg - dec) * 3600.0, 0.0, 1.0);
        // The loader adds 0.608 (single precision) to the stored field.
        EXPECT_NEAR(static_cast<float>(s.mag) + 0.608f, v, 0.01);
        EXPECT_EQ(s.type[0], "AFAMA"[i]);
    }
    for (const auto& [hip, s] : stars_) {
        ASSERT_NE(std::string("OBAFGKM").find(s.type[0]), std::string::npos) << hip;
        ASSERT_NEAR(s.x * s.x + s.y * s.y + s.z * s.z, 1.0, 1e-5) << hip;
    }
}

TEST_F(DataFolder, EveryFigureEndPointIsACatalogueStar) {
    for (int i = 0; i < nv::kConstellationSegments; ++i)
        for (int end : nv::kConstellationPairs[i]) EXPECT_EQ(stars_.count(end), 1u) << "segment " << i + 1;
}

TEST_F(DataFolder, AllTexturesAreUncompressed24BitBitmaps) {
    std::vector<std::string> names = {"milky", "strip",   "grass",  "star",   "mercury", "venus",
                                      "mars",  "jupiter", "saturn", "uranus", "neptune", "moon"};
    for (int n = 1; n <= 110; ++n) names.push_back("m" + std::to_string(n));
    for (const std::string& n : names) {
        imaging::BmpImage b;
        std::string error;
        EXPECT_TRUE(imaging::ReadBmp24(DataDir() / (n + ".bmp"), b, &error)) << n << ": " << error;
        EXPECT_TRUE(std::any_of(b.pixels.begin(), b.pixels.end(), [](unsigned char c) { return c != 0; }))
            << n;
    }
}

// Mean brightness of the milky.bmp texels around the sky direction (RA, Dec), as the chart's
// sphere (GLU texture coordinates, rotated 150 deg about z then 30 deg about x) shows it.
double MilkyWayBrightness(const imaging::BmpImage& b, double raDeg, double decDeg) {
    const double a = raDeg * nv::g_degToRad, d = decDeg * nv::g_degToRad;
    const double x = -std::cos(d) * std::sin(a), y = -std::sin(d), z = std::cos(d) * std::cos(a);
    const double c1 = std::cos(-150 * nv::g_degToRad), s1 = std::sin(-150 * nv::g_degToRad);
    const double c2 = std::cos(-30 * nv::g_degToRad), s2 = std::sin(-30 * nv::g_degToRad);
    const double x1 = c1 * x - s1 * y, y1 = s1 * x + c1 * y;
    const double y2 = c2 * y1 - s2 * z, z2 = s2 * y1 + c2 * z;
    double theta = std::atan2(x1, y2);
    if (theta < 0) theta += 2 * M_PI;
    const double rho = std::acos(std::clamp(z2, -1.0, 1.0));
    const int col = static_cast<int>((1.0 - theta / (2 * M_PI)) * b.width);
    const int row = static_cast<int>((1.0 - rho / M_PI) * b.height); // row 0 = t 0
    double sum = 0;
    int count = 0;
    for (int r = std::max(row - 3, 0); r <= std::min(row + 3, b.height - 1); ++r)
        for (int c = col - 3; c <= col + 3; ++c, ++count) {
            const unsigned char* px = b.row(r) + (c + b.width) % b.width * 3;
            sum += px[0] + px[1] + px[2];
        }
    return sum / (3.0 * count);
}

TEST_F(DataFolder, GalacticCentreIsBrightWhereTheSphereShowsIt) {
    imaging::BmpImage b;
    ASSERT_TRUE(imaging::ReadBmp24(DataDir() / "milky.bmp", b));
    double mean = 0;
    for (unsigned char c : b.pixels) mean += c;
    mean /= double(b.pixels.size());
    const double centre = MilkyWayBrightness(b, 266.4, -28.9);
    EXPECT_GT(centre, 3.0 * mean);
    // The galactic poles are dark; the band is brighter than them everywhere along it.
    const double north = MilkyWayBrightness(b, 192.86, 27.13);
    EXPECT_LT(north, centre / 4);
    EXPECT_LT(MilkyWayBrightness(b, 12.86, -27.13), centre / 4);
    EXPECT_GT(MilkyWayBrightness(b, 310.0, 42.0), 1.5 * north); // Cygnus
}

// The Settings dialog's map: the Earth, 1.2 degrees a pixel, north up, longitude -180 at the left
// edge. Land and sea where they are on the globe tell a flipped or shifted map.
TEST_F(DataFolder, WorldMapIsTheEarthNorthUpWithGreenwichInTheMiddle) {
    imaging::BmpImage b;
    ASSERT_TRUE(imaging::ReadBmp24(DataDir() / "worldmap.bmp", b));
    ASSERT_EQ(b.width, 300);
    ASSERT_EQ(b.height, 150);
    // Red, green, blue at a longitude and latitude (rows are stored bottom-up).
    auto at = [&](double lon, double lat) {
        const int col = int((lon + 180.0) / 1.2), row = int((90.0 - lat) / 1.2);
        const unsigned char* p = &b.pixels[std::size_t(b.height - 1 - row) * b.rowStride() + col * 3];
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    for (auto [lon, lat] : {std::pair{-150.0, 0.0}, {-30.0, 30.0}, {0.0, 0.0}, {75.0, -20.0}}) {
        const auto sea = at(lon, lat);
        EXPECT_GT(sea[2], sea[0] + 30) << "sea at " << lon << ", " << lat;
    }
    const auto sahara = at(10.0, 23.0), amazon = at(-60.0, -5.0), greenland = at(-40.0, 75.0);
    EXPECT_GT(sahara[0], sahara[2] + 40);
    EXPECT_TRUE(amazon[1] > amazon[0] && amazon[1] > amazon[2]);
    EXPECT_GT(greenland[0] + greenland[1] + greenland[2], 3 * 200);
}

TEST_F(DataFolder, NamesFileNamesCatalogueStars) {
    std::ifstream f(DataDir() / "starnames.txt");
    int lines = 0;
    bool sirius = false;
    for (std::string line; std::getline(f, line); ++lines) {
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const int hip = std::atoi(line.c_str() + tab + 1);
        EXPECT_EQ(stars_.count(hip), 1u) << line;
        if (line.substr(0, tab) == "Sirius") sirius = hip == 32349;
    }
    EXPECT_EQ(lines, 96);
    EXPECT_TRUE(sirius);
    EXPECT_TRUE(fs::exists(DataDir() / "help" / "index.htm"));
}

} // namespace
