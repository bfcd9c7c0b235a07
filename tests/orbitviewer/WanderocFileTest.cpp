// The asteroid file: the line format, the fixed 1500 lines, where the file is looked for, what a
// missing file says, and the built file against the published elements of Ceres and Vesta.
#include "orbitviewer/Wanderocs.h"

#include "platform/DataDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using namespace tessmoor;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<WanderocTable> Table() {
    return std::make_unique<WanderocTable>();
}

// A fresh empty folder under the system's temporary folder.
fs::path TempFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tessmoor-test-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace

TEST(WanderocLine, FieldsInTheirOrderAndTheClosingTabs) {
    const WanderocRecord r = ParseWanderocLine("1 Ceres\t3.3\t2.77\t0.079\t10.6\t73.1\t80.3\t1.5\t");
    EXPECT_EQ(r.name, "1 Ceres");
    EXPECT_DOUBLE_EQ(r.a, 2.77);
    EXPECT_DOUBLE_EQ(r.e, 0.079);
    EXPECT_DOUBLE_EQ(r.i, 10.6);
    EXPECT_DOUBLE_EQ(r.peri, 73.1); // the argument of perihelion comes before the node
    EXPECT_DOUBLE_EQ(r.node, 80.3);
    EXPECT_DOUBLE_EQ(r.M0, 1.5);
    // Without the final tab the eighth field is not closed: M0 stays 0.
    EXPECT_EQ(ParseWanderocLine("1 Ceres\t3.3\t2.77\t0.079\t10.6\t73.1\t80.3\t1.5").M0, 0.0);
    // Missing and non-numeric fields read as 0; a number's tail is ignored, as atof does.
    const WanderocRecord s = ParseWanderocLine("Short\t\t2.5x\tnone\t");
    EXPECT_DOUBLE_EQ(s.a, 2.5);
    EXPECT_EQ(s.e, 0.0);
    EXPECT_EQ(s.i + s.peri + s.node + s.M0, 0.0);
    // A line without any tab closes no field at all.
    EXPECT_EQ(ParseWanderocLine("no tabs here").name, "");
    // A percent sign is part of the name, exactly as written.
    EXPECT_EQ(ParseWanderocLine("100% %s %d\t\t1\t0\t0\t0\t0\t0\t").name, "100% %s %d");
}

TEST(WanderocText, ExactlyTheFirst1500LinesFillTheTable) {
    std::string text;
    for (int k = 1; k <= 1600; ++k) text += std::to_string(k) + " Rock\t9\t2.5\t0.1\t3\t4\t5\t6\t\r\n";
    auto table = Table();
    const WanderocLoad load = ParseWanderocText(text, *table);
    EXPECT_EQ(load.orbits, 1500);
    EXPECT_EQ((*table)[0].name, "1 Rock"); // record k from line k + 1, the CR dropped
    EXPECT_EQ((*table)[1499].name, "1500 Rock");
    EXPECT_DOUBLE_EQ((*table)[1499].M0, 6.0);

    // A short file: the records past its end are empty and hold no orbit.
    const WanderocLoad shortLoad =
        ParseWanderocText("A\t\t1\t0\t0\t0\t0\t0\t\nB\t\t2\t0\t0\t0\t0\t0\t", *table);
    EXPECT_EQ(shortLoad.orbits, 2);
    EXPECT_EQ((*table)[1].name, "B");
    EXPECT_EQ((*table)[2].name, "");
    EXPECT_EQ((*table)[2].a, 0.0);
    EXPECT_FALSE((*table)[1499].HoldsData());
}

TEST(WanderocText, LinesWithoutAnOrbitAreNamedAndLeftOut) {
    const std::string text = "Good\t\t2.5\t0.1\t\n"
                             "Hyperbolic\t\t2.5\t1.2\t\n"
                             "\n"
                             "Backwards\t\t-3\t0.1\t\n"
                             "Header\tH\ta\te\ti\tw\tom\tM\t\n"
                             "   \n"
                             "Parabolic\t\t2.5\t1\t\n";
    auto table = Table();
    const WanderocLoad load = ParseWanderocText(text, *table);
    EXPECT_EQ(load.orbits, 1);
    EXPECT_EQ(load.unusableLines, (std::vector<int>{2, 4, 5, 7})); // blank lines are not named
    EXPECT_FALSE((*table)[1].HoldsData());

    const fs::path dir = TempFolder("unusable");
    Write(dir / "wanderocs.txt", text);
    const WanderocFileResult result = LoadWanderocs(*table, {dir / "wanderocs.txt"});
    EXPECT_TRUE(result.read);
    EXPECT_NE(result.message.find("lines 2, 4, 5, 7"), std::string::npos) << result.message;
    fs::remove_all(dir);
}

TEST(WanderocFile, DataFolderFirstThenTheCurrentFolderAndAClearMessageWhenNeither) {
    const fs::path data = TempFolder("data"), here = TempFolder("here");
    const std::vector<fs::path> candidates = {data / kWanderocFileName, here / kWanderocFileName};
    auto table = Table();
    (*table)[5].a = 3.0;
    (*table)[5].name = "stale";

    const WanderocFileResult missing = LoadWanderocs(*table, candidates);
    EXPECT_FALSE(missing.read);
    EXPECT_NE(missing.message.find("wanderocs.txt"), std::string::npos);
    EXPECT_NE(missing.message.find(data.string()), std::string::npos) << missing.message;
    EXPECT_NE(missing.message.find(here.string()), std::string::npos) << missing.message;
    EXPECT_FALSE((*table)[5].HoldsData()); // nothing left over: the planets are drawn alone
    EXPECT_EQ((*table)[5].name, "");

    Write(here / kWanderocFileName, "Here\t\t2\t0\t0\t0\t0\t0\t\n");
    EXPECT_EQ(LoadWanderocs(*table, candidates).file, here / kWanderocFileName);
    EXPECT_EQ((*table)[0].name, "Here");
    Write(data / kWanderocFileName, "Data\t\t2\t0\t0\t0\t0\t0\t\n");
    const WanderocFileResult found = LoadWanderocs(*table, candidates);
    EXPECT_EQ(found.file, data / kWanderocFileName);
    EXPECT_TRUE(found.message.empty());
    EXPECT_EQ((*table)[0].name, "Data");

    // A folder of that name is no file either.
    fs::remove(data / kWanderocFileName);
    fs::create_directory(data / kWanderocFileName);
    EXPECT_EQ(LoadWanderocs(*table, candidates).file, here / kWanderocFileName);
    fs::remove_all(data);
    fs::remove_all(here);
}

// The built file holds the first 1500 numbered asteroids with the published JPL elements
// (kstars-data 3.6.2, epoch MJD 59800).
TEST(WanderocFile, BuiltFileHoldsTheNumberedAsteroids) {
    const std::vector<fs::path> candidates = WanderocFileCandidates();
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], platform::DataDir() / "wanderocs.txt");
    EXPECT_EQ(candidates[1], fs::current_path() / "wanderocs.txt");
    auto table = Table();
    const WanderocFileResult result = LoadWanderocs(*table, {candidates.front()});
    ASSERT_TRUE(result.read) << result.message << " (run scripts/build-data)";
    EXPECT_EQ(result.load.orbits, 1500);
    EXPECT_TRUE(result.message.empty()) << result.message;

    struct Published {
        int record;
        const char* name;
        double a, e, i, om, w, ma;
    };
    const Published known[] = {
        {0, "1 Ceres", 2.766619044655007, .07863575691875528, 10.58679512153367, 80.2664361119415,
         73.53162522557164, 334.3271698971151},
        {3, "4 Vesta", 2.361987199696643, .08840189374260063, 7.140782834645754, 103.800809741353,
         151.2577798334132, 61.19229900418838},
    };
    for (const Published& p : known) {
        const WanderocRecord& r = (*table)[p.record];
        EXPECT_EQ(r.name, p.name);
        EXPECT_DOUBLE_EQ(r.a, p.a);
        EXPECT_DOUBLE_EQ(r.e, p.e);
        EXPECT_DOUBLE_EQ(r.i, p.i);
        EXPECT_DOUBLE_EQ(r.node, p.om);
        EXPECT_DOUBLE_EQ(r.peri, p.w);
        // The mean anomaly moved from the epoch (JD 2459800.5) back to Julian day 0.0.
        const double n = 0.9856076686 / std::pow(p.a, 1.5);
        const double m0 = std::fmod(p.ma - n * 2459800.5, 360.0) + 360.0;
        EXPECT_NEAR(r.M0, std::fmod(m0, 360.0), 1e-8);
    }
    EXPECT_EQ((*table)[1499].name, "1853 McElroy");
}
