// The moons of Jupiter and Saturn: published examples, invariants and a reference ephemeris.
#include "astro/SkyClock.h"
#include "astro/SolarSystem.h"

#include "Fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

TEST(JupiterMoons, PublishedExample1992December16) {
    // Meeus, example 44.a (low-accuracy method), 1992-12-16 0h: X, Y in Jupiter radii. The
    // theory used here carries 1-degree mutual terms for Io and Europa, so agreement is to 0.1.
    CSolarSystem ss;
    ss.UpdateJupiterMoons(1992, 12, 16, 0, 0);
    const double expected[4][2] = {{-3.44, 0.21}, {7.44, 0.25}, {1.24, 0.65}, {7.08, 1.10}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(ss.m_jupiterMoons[k].X * 1000, expected[k][0], 0.1) << kJupiterMoonNames[k];
        EXPECT_NEAR(ss.m_jupiterMoons[k].Y * 1000, expected[k][1], 0.1) << kJupiterMoonNames[k];
    }
}

TEST(SaturnMoons, TethysDistanceIsConstant) {
    CSolarSystem ss;
    for (double jd = 2415020.0; jd < 2488070.0; jd += 3653.3) {
        ss.UpdateSaturnMoons(jd);
        const auto& t = ss.m_saturnMoons[2];
        EXPECT_NEAR(std::sqrt(t.X * t.X + t.Y * t.Y + t.Z * t.Z), 4.880998 * 0.001f, 1e-12);
    }
}

namespace {

struct V3 {
    double x, y, z;
};
double Dot(const V3& a, const V3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Len(const V3& a) {
    return std::sqrt(Dot(a, a));
}
double AngleDeg(const V3& a, const V3& b) {
    return std::acos(std::clamp(Dot(a, b) / (Len(a) * Len(b)), -1.0, 1.0)) * kRadToDeg;
}

} // namespace

// The reference gives the moons in a sky frame, ours are in the planet's frame: the two differ by a
// rotation (and the sign of Jupiter's X), so compare what a rotation keeps. Saturn: each moon's
// distance and the angle between every pair, with our moons taken one light time earlier (the
// reference shows them as seen from the Earth). Jupiter: projected distances and the products of
// the projected offsets (the low-accuracy method already includes the light time).
TEST(MoonsReference, SameGeometryAsTheEphemeris) {
    const auto t = astrotest::LoadFixture("moons.csv");
    ASSERT_GE(t.rows.size(), 40u);
    CSolarSystem ss;
    double worstJ = 0, worstR = 0, worstA = 0;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const double jd = JulianDayMoonForm(t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"),
                                            t.Int(r, "hour"), t.Int(r, "minute"));
        ss.UpdateJupiterMoons(jd);
        ss.UpdateSaturnMoons(jd - t.Num(r, "saturn_delta") * 0.0057755183);
        V3 jo[4], jr[4];
        for (int k = 0; k < 4; ++k) {
            jo[k] = {ss.m_jupiterMoons[k].X * 1000, ss.m_jupiterMoons[k].Y * 1000, 0};
            const std::string p = "j" + std::to_string(k + 1);
            jr[k] = {t.Num(r, p + "_x"), t.Num(r, p + "_y"), 0};
        }
        for (int i = 0; i < 4; ++i)
            for (int j = i; j < 4; ++j) {
                // in Jupiter radii squared, scaled by the orbits' sizes; Europa's 1-degree mutual
                // term (the published method has 1.065 sin 2(u2 - u3)) keeps it near 0.3
                const double diff =
                    std::fabs(Dot(jo[i], jo[j]) - Dot(jr[i], jr[j])) / (Len(jr[i]) + Len(jr[j]) + 1);
                worstJ = std::max(worstJ, diff);
                EXPECT_LT(diff, 0.4) << "Jupiter moons " << i << "," << j << " row " << r;
            }
        V3 so[8], sr[8];
        for (int k = 0; k < 8; ++k) {
            so[k] = {ss.m_saturnMoons[k].X * 1000, ss.m_saturnMoons[k].Y * 1000,
                     ss.m_saturnMoons[k].Z * 1000};
            const std::string p = "s" + std::to_string(k + 1);
            sr[k] = {t.Num(r, p + "_x"), t.Num(r, p + "_y"), t.Num(r, p + "_z")};
            const double rel = std::fabs(Len(so[k]) / Len(sr[k]) - 1);
            worstR = std::max(worstR, rel);
            EXPECT_LT(rel, 0.02) << kSaturnMoonNames[k] << " row " << r;
        }
        for (int i = 0; i < 8; ++i)
            for (int j = i + 1; j < 8; ++j) {
                const double d = std::fabs(AngleDeg(so[i], so[j]) - AngleDeg(sr[i], sr[j]));
                worstA = std::max(worstA, d);
                EXPECT_LT(d, 3.0) << kSaturnMoonNames[i] << "-" << kSaturnMoonNames[j] << " row " << r;
            }
    }
    std::printf("Jupiter worst %.3f; Saturn worst distance %.4f, worst angle %.2f deg\n", worstJ, worstR,
                worstA);
}
