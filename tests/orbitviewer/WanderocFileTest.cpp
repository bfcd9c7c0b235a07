// The asteroid file: its lines, its 1500 records, where it is looked for, and the built file.
#include "orbitviewer/Wanderocs.h"
#include "platform/DataDir.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

using namespace tessmoor;
namespace fs = std::filesystem;
using namespace std::string_literals;

// Catches fields read in the wrong order, M0 read without its closing tab, a non-number not read as
// 0 (a number's tail ignored, as atof does), and a percent sign in a name taken as a format.
TEST(WanderocLine, FieldsInTheirOrderAndTheClosingTabs) {
    const WanderocRecord r = ParseWanderocLine("1 Ceres\t3.3\t2.77\t0.079\t10.6\t73.1\t80.3\t1.5\t");
    EXPECT_EQ(std::make_tuple(r.name, r.a, r.e, r.i, r.peri, r.node, r.M0),
              std::make_tuple("1 Ceres"s, 2.77, 0.079, 10.6, 73.1, 80.3, 1.5));
    EXPECT_EQ(ParseWanderocLine("1 Ceres\t3.3\t2.77\t0.079\t10.6\t73.1\t80.3\t1.5").M0, 0.0);
    const WanderocRecord s = ParseWanderocLine("Short\t\t2.5x\tnone\t");
    EXPECT_EQ(std::make_tuple(s.a, s.e, s.i, s.peri, s.node, s.M0), std::make_tuple(2.5, 0., 0., 0., 0., 0.));
    EXPECT_EQ(ParseWanderocLine("no tabs here").name, ""); // no field is closed
    EXPECT_EQ(ParseWanderocLine("100% %s %d\t\t1\t0\t0\t0\t0\t0\t").name, "100% %s %d");
}

// Catches more or fewer than 1500 lines read, a CR kept, records past a short file's end left over,
// lines without an orbit counted or not named to the user, the wrong lookup order, and a missing file
// that leaves stale records or does not say where it looked.
TEST(WanderocFile, The1500LinesUsableOrbitsAndWhereTheFileIs) {
    std::string text;
    for (int k = 1; k <= 1600; ++k) text += std::to_string(k) + " Rock\t9\t2.5\t0.1\t3\t4\t5\t6\t\r\n";
    auto table = std::make_unique<WanderocTable>();
    EXPECT_EQ(ParseWanderocText(text, *table).orbits, 1500);
    EXPECT_EQ(std::make_pair((*table)[1499].name, (*table)[1499].M0), std::make_pair("1500 Rock"s, 6.0));

    const fs::path data = fs::temp_directory_path() / "tessmoor-data", here = data.string() + "-here";
    for (const fs::path& d : {data, here}) fs::remove_all(d), fs::create_directories(d);
    const std::vector<fs::path> candidates = {data / kWanderocFileName, here / kWanderocFileName};
    const WanderocFileResult missing = LoadWanderocs(*table, candidates);
    EXPECT_FALSE(missing.read || (*table)[5].HoldsData()); // the planets are drawn alone
    for (const std::string& part : {"wanderocs.txt"s, data.string(), here.string()})
        EXPECT_NE(missing.message.find(part), std::string::npos) << missing.message;

    std::ofstream(here / kWanderocFileName) << "Here\t\t2\t0\t0\t0\t0\t0\t\n";
    EXPECT_EQ(LoadWanderocs(*table, candidates).file, here / kWanderocFileName);
    EXPECT_EQ((*table)[0].name, "Here");
    ParseWanderocText(text, *table);
    // Lines 2, 4, 5 and 7 hold no orbit (e 1.2, a -3, no numbers, e 1); 3 and 6 are blank.
    std::ofstream(data / kWanderocFileName)
        << "Good\t\t2.5\t0.1\t\nHyperbolic\t\t2.5\t1.2\t\n\nBackwards\t\t-3\t0.1\t\n"
           "Header\tH\ta\te\ti\tw\tom\tM\t\n   \nParabolic\t\t2.5\t1\t\n";
    const WanderocFileResult found = LoadWanderocs(*table, candidates);
    EXPECT_TRUE(found.file == data / kWanderocFileName && found.load.orbits == 1);
    EXPECT_EQ(found.load.unusableLines, (std::vector<int>{2, 4, 5, 7}));
    EXPECT_NE(found.message.find("lines 2, 4, 5, 7"), std::string::npos) << found.message;
    EXPECT_FALSE((*table)[1].HoldsData() || (*table)[7].HoldsData() || (*table)[1499].HoldsData());
    EXPECT_EQ((*table)[7].name, "");
    for (const fs::path& d : {data, here}) fs::remove_all(d);
}

// Catches a wrong data folder, a builder that skips, reorders or swaps fields, or moves the mean
// anomaly wrongly (Ceres as published in kstars-data 3.6.2, epoch JD 2459800.5).
TEST(WanderocFile, BuiltFileHoldsTheNumberedAsteroids) {
    const fs::path built = platform::DataDir() / "wanderocs.txt";
    EXPECT_EQ(WanderocFileCandidates(), (std::vector<fs::path>{built, fs::current_path() / "wanderocs.txt"}));
    auto table = std::make_unique<WanderocTable>();
    const WanderocFileResult result = LoadWanderocs(*table, {built});
    ASSERT_TRUE(result.read) << result.message << " (run scripts/build-data)";
    EXPECT_TRUE(result.load.orbits == 1500 && result.message.empty()) << result.message;
    const WanderocRecord& ceres = (*table)[0];
    const double a = 2.766619044655007;
    EXPECT_EQ(std::make_tuple(ceres.name, ceres.a, ceres.e, ceres.i, ceres.node, ceres.peri),
              std::make_tuple("1 Ceres"s, a, .07863575691875528, 10.58679512153367, 80.2664361119415,
                              73.53162522557164));
    const double m0 = std::fmod(334.3271698971151 - 0.9856076686 / std::pow(a, 1.5) * 2459800.5, 360.0);
    EXPECT_NEAR(ceres.M0, m0 < 0 ? m0 + 360.0 : m0, 1e-8);
    EXPECT_EQ((*table)[1499].name, "1853 McElroy");
}
