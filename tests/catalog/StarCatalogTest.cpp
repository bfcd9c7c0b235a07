// The star catalogue loader: the table it builds from hip.txt text, the guards against lines
// the format does not allow, and the progress it reports.
#include "planetarium/catalog/StarCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Stars = std::array<nv::StarRecord, nv::kStarSlots>;

std::unique_ptr<Stars> Parse(const std::string& text, nv::StarLoadReport* report = nullptr) {
    auto stars = std::make_unique<Stars>();
    const nv::StarLoadReport r = nv::ParseStarCatalogue(text, *stars);
    if (report) *report = r;
    return stars;
}

std::string Line(int hip, double x, double y, double z, const std::string& mag, const std::string& sp) {
    return std::to_string(hip) + "," + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) +
           ",10.5,20.25," + mag + "," + sp + "\n";
}

bool AllZero(const nv::StarRecord& s) {
    return s.x == 0 && s.y == 0 && s.z == 0 && s.spectralClass == 0 && s.magnitude == 0;
}

} // namespace

TEST(StarCatalog, StoresOneStarPerLineAtItsNumber) {
    const auto stars = Parse(Line(32349, -0.18748, 0.28766, -0.93920, "-2.048", "A1V") +
                             Line(7, 0.5, -0.5, 0.70710678, "5.00", "F8Ib") +
                             Line(118322, 1, 0, 0, "9", "K") + Line(500000, 0, 1, 0, "8", "G2V"));
    const nv::StarRecord& sirius = (*stars)[32349];
    EXPECT_FLOAT_EQ(sirius.x, -0.18748f);
    EXPECT_FLOAT_EQ(sirius.y, 0.28766f);
    EXPECT_FLOAT_EQ(sirius.z, -0.93920f);
    EXPECT_EQ(sirius.spectralClass, 2.0f);
    EXPECT_FLOAT_EQ(sirius.magnitude, -1.44f);
    // 5.00 is stored as 5.608; F is class 3.
    EXPECT_EQ((*stars)[7].magnitude, 5.0f + 0.608f);
    EXPECT_EQ((*stars)[7].spectralClass, 3.0f);
    // Numbers above 118321 land in slot 118321; the last such line wins.
    EXPECT_EQ((*stars)[118321].y, 1.0f);
    EXPECT_EQ((*stars)[118321].spectralClass, 4.0f);
    EXPECT_TRUE(AllZero((*stars)[0]));
}

TEST(StarCatalog, ColourClassesAndCarriedValues) {
    const std::string classes = "OBAFGKM ";
    std::string text;
    for (int i = 0; i < 8; ++i) text += Line(i + 1, 0, 0, 1, "1", std::string(1, classes[i]) + "x");
    // Letters outside the table keep the class of the line before: W, D, S and lower case.
    text += Line(20, 0, 0, 1, "1", "B2") + Line(21, 0, 0, 1, "1", "WC8") + Line(22, 0, 0, 1, "1", "DA") +
            Line(23, 0, 0, 1, "1", "G") + Line(24, 0, 0, 1, "1", "S3") + Line(25, 0, 0, 1, "1", "k") +
            Line(26, 0, 0, 1, "1", "");
    // An empty magnitude takes the held value (offset included) plus the offset once more.
    text += Line(30, 0, 0, 1, "4", "A") + Line(31, 0, 0, 1, "", "A") + Line(32, 0, 0, 1, "", "A");
    const auto stars = Parse(text);
    for (int i = 0; i < 8; ++i) EXPECT_EQ((*stars)[i + 1].spectralClass, static_cast<float>(i)) << i;
    EXPECT_EQ((*stars)[21].spectralClass, 1.0f);
    EXPECT_EQ((*stars)[22].spectralClass, 1.0f);
    EXPECT_EQ((*stars)[24].spectralClass, 4.0f);
    EXPECT_EQ((*stars)[25].spectralClass, 4.0f);
    EXPECT_EQ((*stars)[26].spectralClass, 4.0f);
    EXPECT_EQ((*stars)[30].magnitude, 4.0f + 0.608f);
    EXPECT_EQ((*stars)[31].magnitude, 4.0f + 0.608f + 0.608f);
    EXPECT_EQ((*stars)[32].magnitude, 4.0f + 0.608f + 0.608f + 0.608f);
}

TEST(StarCatalog, FirstLineWithoutMagnitudeOrKnownClassGetsDefinedValues) {
    const auto stars = Parse(Line(9, 0, 0, 1, "", "w") + Line(10, 0, 0, 1, "", "x"));
    EXPECT_EQ((*stars)[9].spectralClass, 0.0f);
    EXPECT_EQ((*stars)[9].magnitude, 0.608f);
    EXPECT_EQ((*stars)[10].magnitude, 0.608f + 0.608f);
}

TEST(StarCatalog, MalformedLinesAreSkippedAndNeverWriteOutsideTheTable) {
    nv::StarLoadReport report;
    const auto stars = Parse("\n"                                          // empty
                             "12,0.1,0.2,0.3,1,2,3\n"                      // seven fields
                             "-5,1,1,1,1,1,4,K\n"                          // negative number
                             "-2147483649,1,1,1,1,1,4,K\n"                 // negative beyond int
                             "99999999999999999999,0,0,1,a,b,7,M\n"        // huge: clamped
                             "13abc,0.5xyz,junk,,a,b,x7,A5,extra,fields\n" // numeric prefixes
                             "\r\n"
                             "14,1,0,0,a,b,2,G\r\n", // CR LF line end
                             &report);
    EXPECT_EQ(report.linesStored, 3);
    EXPECT_EQ(report.linesSkipped, nv::kCatalogueLines - 3);
    EXPECT_TRUE(AllZero((*stars)[12]));
    EXPECT_TRUE(AllZero((*stars)[0]));
    EXPECT_EQ((*stars)[118321].spectralClass, 6.0f);
    EXPECT_EQ((*stars)[118321].magnitude, 7.608f);
    EXPECT_EQ((*stars)[13].x, 0.5f);
    EXPECT_EQ((*stars)[13].y, 0.0f);
    EXPECT_EQ((*stars)[13].z, 0.0f);
    EXPECT_EQ((*stars)[13].magnitude, 0.608f); // "x7" reads as 0
    EXPECT_EQ((*stars)[14].spectralClass, 4.0f);
    EXPECT_EQ((*stars)[14].magnitude, 2.608f);
    // Out-of-range numbers never become infinities or NaN in the table.
    const auto big = Parse("15,1e999,-1e300,nan,a,b,inf,B\n");
    EXPECT_EQ((*big)[15].x, 0.0f);
    EXPECT_TRUE(std::isfinite((*big)[15].y));
    EXPECT_EQ((*big)[15].z, 0.0f);
    EXPECT_EQ((*big)[15].magnitude, 0.608f);
}

TEST(StarCatalog, FullCatalogueFillsEverySlotAndReportsProgress) {
    std::string text;
    text.reserve(nv::kCatalogueLines * 40);
    for (int hip = 1; hip <= nv::kCatalogueLines; ++hip) text += Line(hip, 0, 0, 1, "6.5", "G");
    text += Line(55, 1, 1, 1, "1", "O"); // line 118322 is never read

    std::vector<int> seen;
    auto stars = std::make_unique<Stars>();
    const nv::StarLoadReport report =
        nv::ParseStarCatalogue(text, *stars, [&](int progress) { seen.push_back(progress); });
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.linesStored, nv::kCatalogueLines);
    EXPECT_TRUE(AllZero((*stars)[0]));
    int filled = 0;
    for (int hip = 1; hip <= nv::kCatalogueLines; ++hip) filled += (*stars)[hip].z == 1.0f;
    EXPECT_EQ(filled, nv::kCatalogueLines);
    EXPECT_EQ((*stars)[55].spectralClass, 4.0f);

    EXPECT_EQ(nv::g_loadProgress.load(), 11832);
    ASSERT_EQ(seen.size(), 11833u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), nv::kLoadProgressEnd);
    for (std::size_t i = 1; i < seen.size(); ++i) ASSERT_EQ(seen[i], seen[i - 1] + 1);

    // A short file still runs every read step to the end of the progress.
    seen.clear();
    nv::ParseStarCatalogue("1,0,0,1,a,b,1,A\n", *stars, [&](int progress) { seen.push_back(progress); });
    EXPECT_EQ(seen.back(), nv::kLoadProgressEnd);
}

TEST(StarCatalog, LoaderReadsTheFileAndWritesTheMessierTable) {
    auto catalog = std::make_unique<nv::SkyCatalog>();
    const auto missing = std::filesystem::temp_directory_path() / "nv_no_such_dir" / "hip.txt";
    nv::g_loadProgress = 0;
    const nv::StarLoadReport report = nv::LoadStarData(*catalog, missing);
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.message.find("hip.txt"), std::string::npos);
    EXPECT_EQ(nv::g_loadProgress.load(), nv::kLoadProgressEnd);
    // Empty sky, but the built-in Messier table is there: M42 near RA 83.8, Dec -5.3.
    EXPECT_TRUE(AllZero(catalog->m_stars[32349]));
    const nv::Vec3f m42 = catalog->m_messierCentre[41];
    EXPECT_NEAR(-std::asin(m42.y) * nv::g_radToDeg, -5.27, 0.3);
    EXPECT_NEAR(std::sqrt(m42.x * m42.x + m42.y * m42.y + m42.z * m42.z), 1.0, 1e-5);

    // A folder where the file should be reads as missing too.
    EXPECT_FALSE(nv::LoadStarData(*catalog, std::filesystem::temp_directory_path()).ok);

    nv::ApplyStarCorrection(*catalog);
    EXPECT_EQ(catalog->m_stars[1183].magnitude, 10.193f);
}

TEST(StarCatalog, RealCatalogueWhenBuilt) {
    const std::filesystem::path file = std::filesystem::path(NV_TEST_DATA_DIR) / "hip.txt";
    if (!std::filesystem::exists(file)) GTEST_SKIP() << "no data folder built";
    auto catalog = std::make_unique<nv::SkyCatalog>();
    const nv::StarLoadReport report = nv::LoadStarData(*catalog, file);
    ASSERT_TRUE(report.ok);
    EXPECT_GT(report.linesStored, 115000);
    const nv::StarRecord& sirius = catalog->m_stars[32349];
    EXPECT_NEAR(sirius.magnitude, -1.44, 0.011);
    EXPECT_EQ(sirius.spectralClass, 2.0f);
    EXPECT_NEAR(-std::asin(sirius.y) * nv::g_radToDeg, -16.7161, 0.001);
    for (int hip = 1; hip < nv::kStarSlots; ++hip) {
        const nv::StarRecord& s = catalog->m_stars[hip];
        if (s.x == 0 && s.y == 0 && s.z == 0) continue;
        ASSERT_NEAR(s.x * s.x + s.y * s.y + s.z * s.z, 1.0, 1e-4) << hip;
        ASSERT_GE(s.spectralClass, 0.0f);
        ASSERT_LE(s.spectralClass, 7.0f);
    }
}
