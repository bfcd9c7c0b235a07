// The star catalogue loader: the table it builds from hip.txt text and the lines it refuses.
#include "planetarium/catalog/StarCatalog.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Stars = std::array<nv::StarRecord, nv::kStarSlots>;

std::unique_ptr<Stars> Parse(const std::string& text, nv::StarLoadReport* report = nullptr) {
    auto stars = std::make_unique<Stars>();
    const nv::StarLoadReport r = nv::ParseStarCatalogue(text, *stars);
    if (report) *report = r;
    return stars;
}

// One catalogue line; the direction defaults to the pole.
std::string Line(int hip, const std::string& mag, const std::string& sp, const std::string& xyz = "0,0,1") {
    return std::to_string(hip) + "," + xyz + ",10.5,20.25," + mag + "," + sp + "\n";
}

bool AllZero(const nv::StarRecord& s) {
    return s.x == 0 && s.y == 0 && s.z == 0 && s.spectralClass == 0 && s.magnitude == 0;
}

constexpr float m = 0.608f; // added to every stored magnitude

} // namespace

// Catches a wrong letter-to-class table, an unknown letter that resets the class instead of
// keeping the line before's, an empty magnitude not carried, and numbers past the table not
// clamped into its last slot; and HIP 1183's fixed magnitude lost.
TEST(StarCatalog, StoresStarsWithClassesAndCarriedValues) {
    auto catalog = std::make_unique<nv::SkyCatalog>();
    nv::ApplyStarCorrection(*catalog);
    EXPECT_EQ(catalog->m_stars[1183].magnitude, 10.193f);
    std::string text = Line(9, "", "w") + Line(10, "", "x");
    text += Line(32349, "-2.048", "A1V", "-0.18748,0.28766,-0.93920") + Line(40, "5.00", "F8Ib");
    text += Line(118322, "9", "K", "1,0,0") + Line(500000, "8", "G2V", "0,1,0"); // the last one wins
    for (int i = 0; i < 8; ++i) text += Line(i + 1, "1", std::string(1, "OBAFGKM "[i]) + "x");
    // Letters outside the table keep the class of the line before: W, D, S and lower case.
    text += Line(20, "1", "B2") + Line(21, "1", "WC8") + Line(22, "1", "DA") + Line(23, "1", "G") +
            Line(24, "1", "S3") + Line(25, "1", "k") + Line(26, "1", "");
    text += Line(30, "4", "A") + Line(31, "", "A") + Line(32, "", "A");
    const auto stars = Parse(text);
    const Stars& s = *stars;
    EXPECT_TRUE(s[32349].x == -0.18748f && s[32349].y == 0.28766f && s[32349].z == -0.93920f);
    EXPECT_TRUE(s[118321].y == 1.0f && AllZero(s[0]));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s[i + 1].spectralClass, static_cast<float>(i)) << i;
    const struct {
        int hip;
        float cls, mag;
    } want[] = {
        {9, 0, m},      {10, 0, m + m},     {32349, 2, -2.048f + m}, {40, 3, 5.0f + m}, {118321, 4, 8 + m},
        {21, 1, 1 + m}, {22, 1, 1 + m},     {24, 4, 1 + m},          {25, 4, 1 + m},    {26, 4, 1 + m},
        {30, 2, 4 + m}, {31, 2, 4 + m + m}, {32, 2, 4 + m + m + m}};
    for (const auto& w : want)
        EXPECT_TRUE(s[w.hip].spectralClass == w.cls && s[w.hip].magnitude == w.mag) << w.hip;
}

// Catches a short or negative-numbered line written somewhere, a non-finite value stored, and a
// magnitude no star has (-100 would make every glow fill the screen) stored instead of skipped.
TEST(StarCatalog, MalformedLinesAndImplausibleMagnitudesAreSkipped) {
    nv::StarLoadReport report;
    auto stars = Parse("\n"                                          // empty
                       "12,0.1,0.2,0.3,1,2,3\n"                      // seven fields
                       "-5,1,1,1,1,1,4,K\n"                          // negative number
                       "-2147483649,1,1,1,1,1,4,K\n"                 // negative beyond int
                       "99999999999999999999,0,0,1,a,b,7,M\n"        // huge: clamped
                       "13abc,0.5xyz,junk,,a,b,x7,A5,extra,fields\n" // numeric prefixes
                       "\r\n"
                       "14,1,0,0,a,b,2,G\r\n"             // CR LF line end
                       "15,1e999,-1e300,nan,a,b,inf,B\n", // never infinite or NaN
                       &report);
    EXPECT_TRUE(report.linesStored == 4 && report.linesSkipped == nv::kCatalogueLines - 4);
    const Stars& s = *stars;
    EXPECT_TRUE(AllZero(s[12]) && AllZero(s[0]));
    EXPECT_TRUE(s[118321].spectralClass == 6.0f && s[118321].magnitude == 7.608f);
    EXPECT_TRUE(s[13].x == 0.5f && s[13].y == 0.0f && s[13].magnitude == 0.608f); // "x7" reads as 0
    EXPECT_TRUE(s[14].spectralClass == 4.0f && s[14].magnitude == 2.608f);
    EXPECT_TRUE(s[15].x == 0.0f && std::isfinite(s[15].y) && s[15].z == 0.0f && s[15].magnitude == 0.608f);

    std::string text;
    for (int hip = 1; hip <= 5000; ++hip) text += Line(hip, "-100", "A");
    stars = Parse(text, &report);
    EXPECT_TRUE(!report.ok && report.linesStored == 0 && AllZero((*stars)[1]) && AllZero((*stars)[5000]));
    // Shown magnitudes -2 .. 16 stay; a skipped line leaves the held values to the next empty field.
    text = Line(1, "-2.5", "A") + Line(2, "-2.7", "A") + Line(3, "15.3", "A") + Line(4, "15.5", "A") +
           Line(5, "1e30", "A") + Line(6, "-1e30", "A");
    text += Line(10, "3", "G") + Line(11, "-100", "M") + Line(12, "", "w") + Line(13, "15.3", "A") +
            Line(14, "", "A");
    stars = Parse(text, &report);
    EXPECT_TRUE(report.ok && report.linesStored == 5);
    EXPECT_TRUE((*stars)[1].magnitude == -2.5f + m && (*stars)[3].magnitude == 15.3f + m);
    for (int hip : {2, 4, 5, 6, 11, 14}) EXPECT_TRUE(AllZero((*stars)[hip])) << hip;
    EXPECT_TRUE((*stars)[12].spectralClass == 4.0f && (*stars)[12].magnitude == 3.0f + m + m);
}
