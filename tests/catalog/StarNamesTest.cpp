// Proper names from starnames.txt: name, TAB, number; 96 lines at most.
#include "planetarium/catalog/StarNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {
using Names = std::array<std::string, nv::kStarSlots>;
}

TEST(StarNames, NamesGoToTheirNumbers) {
    auto names = std::make_unique<Names>();
    const nv::StarNamesReport report = nv::ParseStarNames("Sirius\t32349\n"
                                                          "Alpha Centauri\t   71683 trailing\r\n"
                                                          "\n"
                                                          "Vega\t91262\n"
                                                          "Wega\t91262\n"
                                                          "Nobody\t118322\n"
                                                          "Negative\t-4\n"
                                                          "Last\t118321\n",
                                                          *names);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ((*names)[32349], "Sirius");
    EXPECT_EQ((*names)[71683], "Alpha Centauri"); // spaces kept, white space before the number allowed
    EXPECT_EQ((*names)[91262], "Wega");           // the later line wins
    EXPECT_EQ((*names)[118321], "Last");
    EXPECT_EQ(report.linesIgnored, 2); // numbers outside 0 .. 118321
    EXPECT_EQ(report.namesStored, 5);
}

TEST(StarNames, LineWithoutTabClearsAndOnly96LinesAreRead) {
    auto names = std::make_unique<Names>();
    (*names)[1] = "Old";
    std::string text = "1\n";
    for (int i = 2; i <= 96; ++i)
        text += i % 2 ? "\n" : "Star" + std::to_string(i) + "\t" + std::to_string(i) + "\n";
    text += "Ninety-seventh\t97\n";
    nv::ParseStarNames(text, *names);
    EXPECT_EQ((*names)[1], "");
    EXPECT_EQ((*names)[96], "Star96");
    EXPECT_EQ((*names)[97], "");
}

TEST(StarNames, MissingFileChangesNothing) {
    auto catalog = std::make_unique<nv::SkyCatalog>();
    catalog->m_starNames[1] = "Kept";
    const nv::StarNamesReport report = nv::ReadStarNames(
        std::filesystem::temp_directory_path() / "nv_no_such_dir" / "starnames.txt", *catalog);
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.message.find("starnames.txt"), std::string::npos);
    EXPECT_EQ(catalog->m_starNames[1], "Kept");
}
