// The data folder that scripts/build-data writes, against published values and the real sky.
#include "imaging/Bmp.h"
#include "planetarium/SkyState.h"
#include "planetarium/catalog/tables/ConstellationTable.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

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

// Catches a builder that loses stars, writes the direction in another convention, drops the
// magnitude offset or the spectral letter, and figure lines or names that point at no star.
TEST_F(DataFolder, CatalogueMatchesPublishedBrightStarsAndEveryNameAndFigureFindsItsStar) {
    EXPECT_GT(stars_.size(), 117000u);
    EXPECT_TRUE(stars_.begin()->first > 0 && stars_.rbegin()->first <= 118321);
    // Sirius, Polaris, Vega, Betelgeuse, Altair: number, RA, Dec, V (spectral letters A F A M A).
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
        EXPECT_LT(
            std::hypot((sRa - ra) * std::cos(dec * nv::g_degToRad), -std::asin(s.y) * nv::g_radToDeg - dec),
            1.0 / 3600);
        EXPECT_NEAR(static_cast<float>(s.mag) + 0.608f, v, 0.01); // the loader adds 0.608
        EXPECT_EQ(s.type[0], "AFAMA"[i]);
    }
    for (const auto& [hip, s] : stars_)
        ASSERT_TRUE(std::string("OBAFGKM").find(s.type[0]) != std::string::npos &&
                    std::fabs(s.x * s.x + s.y * s.y + s.z * s.z - 1.0) < 1e-5)
            << hip;
    for (int i = 0; i < nv::kConstellationSegments; ++i)
        for (int end : nv::kConstellationPairs[i]) EXPECT_EQ(stars_.count(end), 1u) << "segment " << i + 1;

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
    EXPECT_TRUE(lines == 96 && sirius);
    EXPECT_TRUE(fs::exists(DataDir() / "help" / "index.htm"));
}

// Catches a picture the builder wrote compressed, in another depth, or all black.
TEST_F(DataFolder, AllPicturesAreUncompressed24BitBitmaps) {
    std::vector<std::string> names = {"milky",   "strip",  "grass",  "star",    "mercury", "venus",   "mars",
                                      "jupiter", "saturn", "uranus", "neptune", "moon",    "worldmap"};
    for (int n = 1; n <= 110; ++n) names.push_back("m" + std::to_string(n));
    for (const std::string& n : names) {
        imaging::BmpImage b;
        std::string error;
        EXPECT_TRUE(imaging::ReadBmp24(DataDir() / (n + ".bmp"), b, &error) &&
                    std::any_of(b.pixels.begin(), b.pixels.end(), [](unsigned char c) { return c != 0; }))
            << n << ": " << error;
    }
}

// Catches a world map flipped, mirrored or shifted: land and sea where they are on the globe
// (1.2 degrees a pixel, north up, longitude -180 at the left edge).
TEST_F(DataFolder, WorldMapIsTheEarthNorthUpWithGreenwichInTheMiddle) {
    imaging::BmpImage b;
    ASSERT_TRUE(imaging::ReadBmp24(DataDir() / "worldmap.bmp", b));
    ASSERT_TRUE(b.width == 300 && b.height == 150);
    auto at = [&](double lon, double lat) { // red, green, blue (rows are stored bottom-up)
        const int col = int((lon + 180.0) / 1.2), row = int((90.0 - lat) / 1.2);
        const unsigned char* p = &b.pixels[std::size_t(b.height - 1 - row) * b.rowStride() + col * 3];
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    for (auto [lon, lat] : {std::pair{-150.0, 0.0}, {-30.0, 30.0}, {0.0, 0.0}, {75.0, -20.0}})
        EXPECT_GT(at(lon, lat)[2], at(lon, lat)[0] + 30) << "sea at " << lon << ", " << lat;
    const auto sahara = at(10.0, 23.0), amazon = at(-60.0, -5.0), greenland = at(-40.0, 75.0);
    EXPECT_GT(sahara[0], sahara[2] + 40);
    EXPECT_TRUE(amazon[1] > amazon[0] && amazon[1] > amazon[2]);
    EXPECT_GT(greenland[0] + greenland[1] + greenland[2], 3 * 200);
}

// Where the chart's sphere (GLU texture coordinates, turned 150 deg about z then 30 deg about x)
// shows a sky direction on milky.bmp: fractional column and row (row 0 is the file's bottom row).
void TexelOf(const imaging::BmpImage& b, double raDeg, double decDeg, double& col, double& row) {
    const double a = raDeg * nv::g_degToRad, d = decDeg * nv::g_degToRad;
    const double x = -std::cos(d) * std::sin(a), y = -std::sin(d), z = std::cos(d) * std::cos(a);
    const double c1 = std::cos(-150 * nv::g_degToRad), s1 = std::sin(-150 * nv::g_degToRad);
    const double c2 = std::cos(-30 * nv::g_degToRad), s2 = std::sin(-30 * nv::g_degToRad);
    const double x1 = c1 * x - s1 * y, y1 = s1 * x + c1 * y;
    const double y2 = c2 * y1 - s2 * z, z2 = s2 * y1 + c2 * z;
    double theta = std::atan2(x1, y2);
    if (theta < 0) theta += 2 * M_PI;
    col = (1.0 - theta / (2 * M_PI)) * b.width;
    row = (1.0 - std::acos(std::clamp(z2, -1.0, 1.0)) / M_PI) * b.height;
}
double Brightness(const imaging::BmpImage& b, int col, int row) {
    const unsigned char* px =
        b.row(std::clamp(row, 0, b.height - 1)) + (col % b.width + b.width) % b.width * 3;
    return px[0] + px[1] + px[2];
}

// Catches the Milky Way picture placed off the sky (it once sat 2 degrees of right ascension west): the
// brightness centroids of the Orion nebula and Andromeda's core lie within 0.2 degree of their places.
TEST_F(DataFolder, MilkyWayFeaturesSitOnTheirSkyPlaces) {
    imaging::BmpImage b;
    ASSERT_TRUE(imaging::ReadBmp24(DataDir() / "milky.bmp", b));
    for (auto [name, ra, dec] : {std::tuple{"M42", 83.822, -5.391}, {"M31", 10.685, 41.269}}) {
        double colF, rowF;
        TexelOf(b, ra, dec, colF, rowF);
        int peakCol = int(colF), peakRow = int(rowF);
        for (int r = int(rowF) - 6; r <= int(rowF) + 6; ++r)
            for (int c = int(colF) - 6; c <= int(colF) + 6; ++c)
                if (Brightness(b, c, r) > Brightness(b, peakCol, peakRow)) peakCol = c, peakRow = r;
        std::vector<double> ring; // the background: the median of a ring around the peak
        for (int r = -6; r <= 6; ++r)
            for (int c = -6; c <= 6; ++c)
                if (std::max(std::abs(r), std::abs(c)) >= 5)
                    ring.push_back(Brightness(b, peakCol + c, peakRow + r));
        std::nth_element(ring.begin(), ring.begin() + ring.size() / 2, ring.end());
        const double background = ring[ring.size() / 2];
        double sc = 0, sr = 0, sw = 0;
        for (int r = -3; r <= 3; ++r)
            for (int c = -3; c <= 3; ++c) {
                const double w = Brightness(b, peakCol + c, peakRow + r) - background;
                if (w <= 0) continue;
                sc += w * (peakCol + c + 0.5), sr += w * (peakRow + r + 0.5), sw += w;
            }
        ASSERT_GT(sw, 0.0) << name;
        // Columns shrink by the sine of the angle from the picture's pole.
        const double dCol = std::remainder(sc / sw - colF, b.width) * 360.0 / b.width *
                            std::sin((1.0 - rowF / b.height) * M_PI);
        EXPECT_LT(std::hypot(dCol, (sr / sw - rowF) * 180.0 / b.height), 0.2) << name;
    }
}

} // namespace
