// The built-in Messier and constellation tables, against published values typed here.
#include "planetarium/catalog/tables/ConstellationTable.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

// Angle in degrees between two directions given as RA/Dec.
double Separation(double ra1, double dec1, double ra2, double dec2) {
    const nv::Vec3f a = nv::SkyDirection(ra1, dec1), b = nv::SkyDirection(ra2, dec2);
    const double dot = double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
    return std::acos(std::min(1.0, dot)) * nv::g_radToDeg;
}

// Catches an object placed off its published position, and a picture box that is inverted, huge
// or off its object (M32 and M110 sit inside M31's).
TEST(MessierTable, RowsAtTheirPublishedPlacesWithBoxesAroundThem) {
    const double known[][3] = {{1, 83.531, 22.013},     {13, 250.311, 36.285}, {31, 10.530, 41.165},
                               {42, 83.777, -5.271},    {45, 56.757, 24.073},  {57, 283.311, 33.024},
                               {104, 190.025, -11.371}, {110, 10.018, 41.415}};
    for (const auto& k : known) {
        const nv::MessierRow& r = nv::kMessierRows[int(k[0]) - 1];
        EXPECT_LT(Separation(r.raDeg, r.decDeg, k[1], k[2]), 0.3) << "M" << k[0];
    }
    for (int i = 0; i < nv::kMessierCount; ++i) {
        const nv::MessierRow& r = nv::kMessierRows[i];
        EXPECT_TRUE(r.ra1 < r.ra2 && r.ra2 - r.ra1 < 5.0 && r.dec1 < r.dec2 && r.dec2 - r.dec1 < 5.0)
            << i + 1;
        EXPECT_LT(Separation((r.ra1 + r.ra2) / 2, (r.dec1 + r.dec2) / 2, r.raDeg, r.decDeg), 1.5) << i + 1;
    }
    const nv::MessierRow& m31 = nv::kMessierRows[30];
    for (int n : {32, 110}) {
        const nv::MessierRow& r = nv::kMessierRows[n - 1];
        EXPECT_TRUE(r.ra1 > m31.ra1 && r.ra2 < m31.ra2 && r.dec1 > m31.dec1 && r.dec2 < m31.dec2) << n;
    }
}

// Catches segments shifted, swapped or lost, a figure split over two runs (its label then drawn
// twice), and labels out of their alphabetical drawing order or off their anchors.
TEST(ConstellationTable, SegmentsAndLabelsInPlace) {
    const int rows[][3] = {{1, 98036, 97649},   {2, 97649, 97278},   {9, 9640, 5447},     {283, 59774, 54061},
                           {284, 54061, 53910}, {285, 53910, 58001}, {441, 28614, 27989}, {445, 24436, 25930},
                           {510, 11767, 85822}, {654, 44816, 39953}};
    for (const auto& r : rows)
        EXPECT_TRUE(nv::kConstellationPairs[r[0] - 1][0] == r[1] &&
                    nv::kConstellationPairs[r[0] - 1][1] == r[2])
            << "place " << r[0];
    std::set<int> stars;
    std::set<std::string> closed;
    std::string current;
    for (int i = 0; i < nv::kConstellationSegments; ++i) {
        const int a = nv::kConstellationPairs[i][0], b = nv::kConstellationPairs[i][1];
        EXPECT_TRUE(a > 0 && a <= 118320 && b > 0 && b <= 118320 && a != b) << "segment " << i + 1;
        stars.insert({a, b});
        const std::string group = nv::kConstellationSegmentGroup[i];
        if (group == current) continue;
        EXPECT_EQ(closed.count(group), 0u) << group << " appears in two runs";
        closed.insert(current = group);
    }
    EXPECT_TRUE(nv::kConstellationSegments == 654 && stars.size() == 665u);
    EXPECT_STREQ(nv::kConstellationSegmentGroup[0], "Aql");

    ASSERT_EQ(nv::kConstellationLabelCount, 88);
    const auto& orion = nv::kConstellationLabels[58];
    EXPECT_TRUE(std::string(nv::kConstellationLabels[29].text) == "Cygnus " && orion.raHours == 5.0f &&
                orion.decDeg == 5.0f);
    for (int i = 1; i < nv::kConstellationLabelCount; ++i)
        EXPECT_LT(std::string(nv::kConstellationLabels[i - 1].text), nv::kConstellationLabels[i].text) << i;
}

} // namespace
