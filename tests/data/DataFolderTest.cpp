// Checks the data folder that scripts/build-data writes: the star catalogue against published
// values, the pictures, the names and settings files, and where the Milky Way lands.
#include "planetarium/SkyState.h"
#include "planetarium/catalog/tables/ConstellationTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path DataDir() {
    const char* env = std::getenv("NIGHTVANE_DATA");
    return env && *env ? fs::path(env) : fs::path(NV_TEST_DATA_DIR);
}

std::string ReadAll(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct CatalogueStar {
    double x, y, z;
    double mag;
    std::string type;
};

class DataFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(fs::exists(DataDir() / "CREDITS"))
            << "the data folder " << DataDir() << " is not built: run scripts/build-data";
        std::ifstream f(DataDir() / "hip.txt");
        std::string line;
        while (std::getline(f, line)) {
            std::vector<std::string> fields;
            std::stringstream ss(line);
            std::string field;
            while (std::getline(ss, field, ',')) fields.push_back(field);
            ASSERT_GE(fields.size(), 8u) << line;
            stars_[std::atoi(fields[0].c_str())] = {
                std::atof(fields[1].c_str()), std::atof(fields[2].c_str()), std::atof(fields[3].c_str()),
                std::atof(fields[6].c_str()), fields[7]};
        }
    }
    static std::map<int, CatalogueStar> stars_;
};
std::map<int, CatalogueStar> DataFolder::stars_;

TEST_F(DataFolder, CatalogueMatchesPublishedBrightStars) {
    EXPECT_GT(stars_.size(), 117000u);
    EXPECT_LT(stars_.size(), 118322u);
    EXPECT_EQ(stars_.count(0), 0u);
    EXPECT_LE(stars_.rbegin()->first, 118321);
    struct Known {
        int hip;
        double ra, dec, v;
        char letter;
    };
    const Known known[] = {{32349, 101.2872, -16.7161, -1.44, 'A'},
                           {11767, 37.9545, 89.2641, 1.97, 'F'},
                           {91262, 279.2347, 38.7837, 0.03, 'A'},
                           {27989, 88.7929, 7.4071, 0.45, 'M'},
                           {97649, 297.6958, 8.8683, 0.76, 'A'}};
    for (const Known& k : known) {
        SCOPED_TRACE(k.hip);
        ASSERT_EQ(stars_.count(k.hip), 1u);
        const CatalogueStar& s = stars_[k.hip];
        EXPECT_NEAR(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), 1.0, 1e-7);
        double ra = -std::atan2(s.x, s.z) * nv::g_radToDeg;
        if (ra < 0) ra += 360.0;
        const double dec = -std::asin(s.y) * nv::g_radToDeg;
        EXPECT_NEAR((ra - k.ra) * std::cos(k.dec * nv::g_degToRad) * 3600.0, 0.0, 1.0);
        EXPECT_NEAR((dec - k.dec) * 3600.0, 0.0, 1.0);
        // The loader adds 0.608 (single precision) to the stored field.
        EXPECT_NEAR(static_cast<float>(s.mag) + 0.608f, k.v, 0.01);
        EXPECT_EQ(s.type[0], k.letter);
    }
    for (const auto& [hip, s] : stars_) {
        ASSERT_FALSE(s.type.empty()) << hip;
        ASSERT_NE(std::string("OBAFGKM").find(s.type[0]), std::string::npos) << hip << " " << s.type;
    }
}

TEST_F(DataFolder, EveryFigureEndPointIsACatalogueStar) {
    for (int i = 0; i < nv::kConstellationSegments; ++i)
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(stars_.count(nv::kConstellationPairs[i][k]), 1u) << "segment " << i + 1;
}

struct Bmp {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr; // bottom-up rows, padded to 4 bytes
    int stride() const { return (width * 3 + 3) / 4 * 4; }
};

uint32_t U32(const std::string& d, size_t at) {
    return uint32_t(uint8_t(d[at])) | uint32_t(uint8_t(d[at + 1])) << 8 | uint32_t(uint8_t(d[at + 2])) << 16 |
           uint32_t(uint8_t(d[at + 3])) << 24;
}

bool ReadBmp(const fs::path& p, Bmp& out) {
    const std::string d = ReadAll(p);
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
    const uint32_t offset = U32(d, 10);
    out.width = static_cast<int>(U32(d, 18));
    out.height = static_cast<int>(U32(d, 22));
    const int bpp = uint8_t(d[28]) | uint8_t(d[29]) << 8;
    if (bpp != 24 || U32(d, 30) != 0 || out.width <= 0 || out.height <= 0) return false;
    const size_t need = size_t(out.stride()) * out.height;
    if (d.size() < offset + need) return false;
    out.bgr.assign(d.begin() + offset, d.begin() + offset + need);
    return true;
}

TEST_F(DataFolder, AllTexturesAreUncompressed24BitBitmaps) {
    std::vector<std::string> names = {"milky", "strip",   "grass",  "star",   "mercury", "venus",
                                      "mars",  "jupiter", "saturn", "uranus", "neptune", "moon"};
    for (int n = 1; n <= 110; ++n) names.push_back("m" + std::to_string(n));
    ASSERT_EQ(names.size(), 122u);
    for (const std::string& n : names) {
        Bmp b;
        EXPECT_TRUE(ReadBmp(DataDir() / (n + ".bmp"), b)) << n;
        // Not an empty picture.
        long sum = 0;
        for (unsigned char c : b.bgr) sum += c;
        EXPECT_GT(sum, 0) << n;
    }
}

// Mean brightness of the milky.bmp texels around the sky direction (RA, Dec), as the chart's
// sphere (GLU texture coordinates, rotated 150 deg about z then 30 deg about x) shows it.
double MilkyWayBrightness(const Bmp& b, double raDeg, double decDeg) {
    const double a = raDeg * nv::g_degToRad, d = decDeg * nv::g_degToRad;
    double x = -std::cos(d) * std::sin(a), y = -std::sin(d), z = std::cos(d) * std::cos(a);
    const double c1 = std::cos(-150 * nv::g_degToRad), s1 = std::sin(-150 * nv::g_degToRad);
    const double x1 = c1 * x - s1 * y, y1 = s1 * x + c1 * y;
    const double c2 = std::cos(-30 * nv::g_degToRad), s2 = std::sin(-30 * nv::g_degToRad);
    const double y2 = c2 * y1 - s2 * z, z2 = s2 * y1 + c2 * z;
    x = x1;
    y = y2;
    z = z2;
    double theta = std::atan2(x, y);
    if (theta < 0) theta += 2 * M_PI;
    const double rho = std::acos(std::max(-1.0, std::min(1.0, z)));
    const double s = 1.0 - theta / (2 * M_PI), t = 1.0 - rho / M_PI;
    const int col = static_cast<int>(s * b.width), row = static_cast<int>(t * b.height); // row 0 = t 0
    double sum = 0;
    int count = 0;
    for (int r = row - 3; r <= row + 3; ++r)
        for (int c = col - 3; c <= col + 3; ++c) {
            if (r < 0 || r >= b.height) continue;
            const int cc = (c + b.width) % b.width;
            const unsigned char* px = &b.bgr[size_t(r) * b.stride() + cc * 3];
            sum += px[0] + px[1] + px[2];
            ++count;
        }
    return sum / (3.0 * count);
}

TEST_F(DataFolder, GalacticCentreIsBrightWhereTheSphereShowsIt) {
    Bmp b;
    ASSERT_TRUE(ReadBmp(DataDir() / "milky.bmp", b));
    double mean = 0;
    for (unsigned char c : b.bgr) mean += c;
    mean /= double(b.bgr.size());
    const double centre = MilkyWayBrightness(b, 266.4, -28.9);
    EXPECT_GT(centre, 3.0 * mean);
    // The galactic poles are dark; the band is brighter than them everywhere along it.
    EXPECT_LT(MilkyWayBrightness(b, 192.86, 27.13), centre / 4);
    EXPECT_LT(MilkyWayBrightness(b, 12.86, -27.13), centre / 4);
    EXPECT_GT(MilkyWayBrightness(b, 310.0, 42.0), 1.5 * MilkyWayBrightness(b, 192.86, 27.13)); // Cygnus
}

TEST_F(DataFolder, NamesAndSettingsFiles) {
    std::ifstream f(DataDir() / "starnames.txt");
    std::string line;
    int lines = 0;
    bool sirius = false;
    while (std::getline(f, line)) {
        ++lines;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const int hip = std::atoi(line.c_str() + tab + 1);
        EXPECT_EQ(stars_.count(hip), 1u) << line;
        if (line.substr(0, tab) == "Sirius") sirius = hip == 32349;
    }
    EXPECT_EQ(lines, 96);
    EXPECT_TRUE(sirius);

    const std::string ini = ReadAll(DataDir() / "NightvaneGL.ini");
    EXPECT_EQ(ini.substr(0, 14), "TRUE\r\r\nTRUE\r\r\n");
    int ends = 0;
    for (size_t p = ini.find("\r\r\n"); p != std::string::npos; p = ini.find("\r\r\n", p + 3)) ++ends;
    EXPECT_EQ(ends, 17);
    EXPECT_NE(ini.find("\r\r\n0.000000\r\r\n53.000000\r\r\n0\r\r\nFALSE\r\r\nFALSE\r\r\n"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(DataDir() / "index.htm"));
}

} // namespace
