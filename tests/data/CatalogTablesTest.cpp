// The built-in Messier and constellation tables.
#include "planetarium/catalog/tables/ConstellationTable.h"
#include "planetarium/catalog/tables/MessierTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace {

double Length(const nv::Vec3f& v) {
    return std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
}

// Angle in degrees between two directions given as RA/Dec.
double Separation(double ra1, double dec1, double ra2, double dec2) {
    const nv::Vec3f a = nv::MessierUnitVector(ra1, dec1), b = nv::MessierUnitVector(ra2, dec2);
    const double c = (double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z) / (Length(a) * Length(b));
    return std::acos(std::min(1.0, c)) * nv::g_radToDeg;
}

TEST(MessierTable, VectorsAreUnitAndCornersShareTheirEdges) {
    std::array<nv::Vec3f, nv::kMessierCount> centre;
    std::array<std::array<nv::Vec3f, 4>, nv::kMessierCount> corners;
    nv::FillMessierTable(centre, corners);
    for (int i = 0; i < nv::kMessierCount; ++i) {
        SCOPED_TRACE("M" + std::to_string(i + 1));
        EXPECT_NEAR(Length(centre[i]), 1.0, 1e-6);
        for (const auto& c : corners[i]) EXPECT_NEAR(Length(c), 1.0, 1e-6);
        // Equal right ascension: same x/z ratio; equal declination: same y.
        auto ra = [](const nv::Vec3f& v) { return std::atan2(-double(v.x), double(v.z)); };
        EXPECT_NEAR(ra(corners[i][0]), ra(corners[i][1]), 1e-5);
        EXPECT_NEAR(ra(corners[i][2]), ra(corners[i][3]), 1e-5);
        EXPECT_FLOAT_EQ(corners[i][0].y, corners[i][3].y);
        EXPECT_FLOAT_EQ(corners[i][1].y, corners[i][2].y);
        const nv::MessierRow& r = nv::kMessierRows[i];
        EXPECT_LT(r.ra1, r.ra2);
        EXPECT_LT(r.dec1, r.dec2);
        // Boxes are picture frames around their object: never far from the centre, never huge.
        EXPECT_LT(r.ra2 - r.ra1, 5.0); // the M24 star cloud is the largest
        EXPECT_LT(r.dec2 - r.dec1, 5.0);
        const double midRa = (r.ra1 + r.ra2) / 2, midDec = (r.dec1 + r.dec2) / 2;
        EXPECT_LT(Separation(midRa, midDec, r.raDeg, r.decDeg), 1.5);
    }
}

TEST(MessierTable, PublishedRowsAgreeWithinAThirdOfADegree) {
    struct Known {
        int n;
        double ra, dec;
    };
    const Known known[] = {{1, 83.531, 22.013},     {13, 250.311, 36.285}, {31, 10.530, 41.165},
                           {42, 83.777, -5.271},    {45, 56.757, 24.073},  {57, 283.311, 33.024},
                           {104, 190.025, -11.371}, {110, 10.018, 41.415}};
    for (const Known& k : known) {
        const nv::MessierRow& r = nv::kMessierRows[k.n - 1];
        EXPECT_LT(Separation(r.raDeg, r.decDeg, k.ra, k.dec), 0.3) << "M" << k.n;
    }
    // M1's stored centre vector.
    const nv::Vec3f m1 = nv::MessierUnitVector(83.531, 22.013);
    EXPECT_NEAR(m1.x, -0.921197, 1e-5);
    EXPECT_NEAR(m1.y, -0.374815, 1e-5);
    EXPECT_NEAR(m1.z, 0.104447, 1e-5);
    // Objects inside M31's picture get boxes of their own, inside M31's box.
    const nv::MessierRow& m31 = nv::kMessierRows[30];
    for (int n : {32, 110}) {
        const nv::MessierRow& r = nv::kMessierRows[n - 1];
        EXPECT_GT(r.ra1, m31.ra1);
        EXPECT_LT(r.ra2, m31.ra2);
        EXPECT_GT(r.dec1, m31.dec1);
        EXPECT_LT(r.dec2, m31.dec2);
    }
}

TEST(ConstellationTable, TellingRowsSitAtTheirPlaces) {
    struct Row {
        int place, from, to;
    };
    const Row rows[] = {{1, 98036, 97649},   {2, 97649, 97278},   {9, 9640, 5447},     {283, 59774, 54061},
                        {284, 54061, 53910}, {285, 53910, 58001}, {441, 28614, 27989}, {445, 24436, 25930},
                        {510, 11767, 85822}, {654, 44816, 39953}};
    for (const Row& r : rows) {
        EXPECT_EQ(nv::kConstellationPairs[r.place - 1][0], r.from) << "place " << r.place;
        EXPECT_EQ(nv::kConstellationPairs[r.place - 1][1], r.to) << "place " << r.place;
    }
}

TEST(ConstellationTable, SegmentsAreGroupedOverTheRightNumberOfStars) {
    std::set<int> stars;
    std::set<std::string> closed;
    std::string current;
    for (int i = 0; i < nv::kConstellationSegments; ++i) {
        const int a = nv::kConstellationPairs[i][0], b = nv::kConstellationPairs[i][1];
        EXPECT_GT(a, 0);
        EXPECT_LE(a, 118320);
        EXPECT_GT(b, 0);
        EXPECT_LE(b, 118320);
        EXPECT_NE(a, b);
        stars.insert(a);
        stars.insert(b);
        const std::string group = nv::kConstellationSegmentGroup[i];
        if (group != current) {
            EXPECT_EQ(closed.count(group), 0u) << group << " appears in two runs";
            if (!current.empty()) closed.insert(current);
            current = group;
        }
    }
    EXPECT_EQ(static_cast<int>(stars.size()), nv::kConstellationStars);
    EXPECT_STREQ(nv::kConstellationSegmentGroup[0], "Aql");
    EXPECT_STREQ(nv::kConstellationSegmentGroup[nv::kConstellationSegments - 1], "Vel");
}

TEST(ConstellationTable, LabelsInDrawingOrderWithAnchors) {
    EXPECT_STREQ(nv::kConstellationLabels[0].text, "Andromeda");
    EXPECT_STREQ(nv::kConstellationLabels[29].text, "Cygnus ");
    EXPECT_STREQ(nv::kConstellationLabels[87].text, "Vulpecula");
    for (int i = 1; i < nv::kConstellationLabelCount; ++i)
        EXPECT_LT(std::string(nv::kConstellationLabels[i - 1].text),
                  std::string(nv::kConstellationLabels[i].text));
    for (const auto& l : nv::kConstellationLabels) {
        EXPECT_GE(l.raHours, 0.0f);
        EXPECT_LT(l.raHours, 24.0f);
        EXPECT_GE(l.decDeg, -90.0f);
        EXPECT_LE(l.decDeg, 90.0f);
    }
    EXPECT_FLOAT_EQ(nv::kConstellationLabels[58].raHours, 5.0f); // Orion
    EXPECT_FLOAT_EQ(nv::kConstellationLabels[58].decDeg, 5.0f);
}

} // namespace
