// How the sky looks: star glows facing the eye at every declination and the stars going with the
// daylight.

#include "RenderTestSupport.h"

#include "../astro/Fixture.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/render/Bodies.h"
#include "planetarium/render/StarField.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace rendertest;

namespace {

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

class SkyLookTest : public SkyFrameTest {
protected:
    // The picture with the catalogue `cat` and the camera locked on the catalogue direction v.
    QImage LockedOn(const nv::SkyCatalog& cat, const nv::Vec3f& v) {
        s.g_lockOn = true;
        s.g_lockIsBody = false;
        s.g_lockX = v.x, s.g_lockY = v.y, s.g_lockZ = v.z;
        frame.res.CatalogChanged();
        return frame.Render(s, cat);
    }
};

} // namespace

// At right ascension 0 on the equator the glow facing the eye is the glow of the x-y plane: the
// star and the eight points (+-a, 0), (0, +-a), (+-d, +-d) with a = 0.01 S and d = 0.015 S.
TEST(GlowShape, AtRightAscensionZeroOnTheEquatorItIsTheXyGlow) {
    const nv::StarRecord star{0.0f, 0.0f, 1.0f, 2.0f, 1.0f};
    const float S = 2.5f, a = 0.025f, d = 0.0375f;
    const float pairs[8][4] = {{+a, 0, +d, +d}, {+d, +d, 0, +a}, {0, +a, -d, +d}, {-a, 0, -d, +d},
                               {-a, 0, -d, -d}, {0, -a, -d, -d}, {0, -a, +d, -d}, {+a, 0, +d, -d}};
    float pos[nv::kGlowVertices * 3], col[nv::kGlowVertices * 3];
    nv::GlowVertices(star, {0.9f, 0.8f, 0.7f}, S, pos, col);
    ASSERT_EQ(nv::kGlowVertices, 24);
    for (int t = 0; t < 8; ++t) {
        const float* v = &pos[t * 9];
        const float want[9] = {0, 0, 1, pairs[t][0], pairs[t][1], 1, pairs[t][2], pairs[t][3], 1};
        for (int k = 0; k < 9; ++k) EXPECT_FLOAT_EQ(v[k], want[k]) << "triangle " << t << " value " << k;
        EXPECT_FLOAT_EQ(col[t * 9], 0.9f); // the star in its colour, the points black
        EXPECT_EQ(col[t * 9 + 3] + col[t * 9 + 4] + col[t * 9 + 8], 0.0f);
    }
    // Anywhere else (here at Polaris), every point lies across the star's direction, as far from it
    // as at right ascension 0: a on the axes, d times the square root of 2 on the diagonals.
    const nv::Vec3f n = nv::SkyDirection(37.95, 89.26);
    nv::GlowVertices({n.x, n.y, n.z, 2.0f, 1.0f}, {1, 1, 1}, S, pos, col);
    for (int v = 0; v < nv::kGlowVertices; ++v) {
        if (v % 3 == 0) continue; // the star
        const double dx = pos[v * 3] - n.x, dy = pos[v * 3 + 1] - n.y, dz = pos[v * 3 + 2] - n.z;
        const double far = std::sqrt(dx * dx + dy * dy + dz * dz);
        const float* flat = &pairs[v / 3][v % 3 == 1 ? 0 : 2];
        EXPECT_NEAR(dx * n.x + dy * n.y + dz * n.z, 0.0, 1e-6) << v;
        EXPECT_NEAR(far, std::hypot(flat[0], flat[1]), 1e-6) << v;
    }
}

// Polaris and a star of its magnitude on the equator light the same number of pixels, and no star
// of magnitude 6 or brighter is missing at any declination, the poles included.
TEST_F(SkyLookTest, GlowsLookTheSameAtEveryDeclination) {
    ASSERT_NE(real, nullptr) << why;
    s.sw.m_showStars = true;
    constexpr int kPolaris = 11767;
    const nv::StarRecord polaris = real->m_stars[kPolaris];
    ASSERT_NEAR(polaris.magnitude, 1.97, 0.05);
    auto lit = [&](nv::StarRecord star) {
        auto one = EmptyCatalog();
        one->m_stars[1000] = star;
        const QImage with = LockedOn(*one, {star.x, star.y, star.z});
        return Differing(with, LockedOn(*empty, {star.x, star.y, star.z}));
    };
    // (A coordinate of exactly 0 marks an empty catalogue slot: the star stands just off the axes.)
    const nv::Vec3f equator = nv::SkyDirection(0.01, 0.01);
    const int onEquator = lit({equator.x, equator.y, equator.z, polaris.spectralClass, polaris.magnitude});
    EXPECT_GT(onEquator, 300);
    EXPECT_NEAR(lit(polaris), onEquator, 0.1 * onEquator);
    for (const double dec : {-90.0, -89.9, -45.0, 30.0, 89.9, 90.0})
        for (const double ra : {0.01, 137.0}) {
            const nv::Vec3f v = nv::SkyDirection(ra, dec);
            EXPECT_NEAR(lit({v.x, v.y, v.z, 2.0f, polaris.magnitude}), onEquator, 0.1 * onEquator) << dec;
            EXPECT_GE(lit({v.x, v.y, v.z, 2.0f, 5.9f}), 1) << dec;
            EXPECT_GE(lit({v.x, v.y, v.z, 2.0f, 6.0f}), 1) << dec;
        }
}

// While the daylight sky is up the stars and the Messier pictures fade: with the Sun 15 degrees
// down the frame is the night frame, faint stars go before bright ones, and by noon the stars are
// gone (the frame equals the frame without them) while the planets stay.
TEST_F(SkyLookTest, StarsAndPicturesGoWithTheDaylight) {
    ASSERT_NE(real, nullptr) << why;
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    auto frameWith = [&](bool dayLight, bool stars, bool planets) {
        s.sw.m_showDayLight = dayLight, s.sw.m_showStars = stars, s.sw.m_showPlanets = planets;
        s.sw.m_showMessiers = true;
        return frame.Render(s, *real);
    };
    s.m_viewPitch = -40.0f, s.m_viewYaw = 200.0f;
    SetSunAltitude(s, -15.0);
    EXPECT_EQ(Differing(frameWith(true, true, true), frameWith(false, true, true)), 0);
    SetSunAltitude(s, 15.0);
    const QImage noon = frameWith(true, true, true);
    EXPECT_EQ(Differing(noon, frameWith(true, false, true)), 0);
    EXPECT_GT(Differing(noon, frameWith(true, true, false)), 100) << "the planets stay by day";

    // In the twilight (the Sun 6 degrees down) a bright star is still there, a faint one is gone.
    SetSunAltitude(s, -6.0);
    auto one = EmptyCatalog();
    const nv::Vec3f v = nv::SkyDirection(30.0, 10.0);
    auto lit = [&](float magnitude) {
        one->m_stars[1000] = {v.x, v.y, v.z, 2.0f, magnitude};
        s.sw.m_showDayLight = true, s.sw.m_showStars = true;
        const QImage with = LockedOn(*one, v);
        return Differing(with, LockedOn(*empty, v));
    };
    EXPECT_GT(lit(1.0f), 100);
    EXPECT_EQ(lit(8.0f), 0);
    // The Messier pictures fade with the daylight: at 10 degrees M42 is dimmer in the twilight.
    MakeTexture(142, 8, 8, {});
    s.sw = nv::LayerSwitches{};
    s.sw.m_showEyepiece = false;
    s.sw.m_showMessiers = true;
    s.g_fov = 10.0f;
    const nv::Vec3f m42 = empty->m_messierCentre[41];
    const int night = qRed(LockedOn(*empty, m42).pixel(640, 400));
    s.sw.m_showDayLight = true;
    const QImage twilight = LockedOn(*empty, m42);
    const int sky = static_cast<int>(std::lround(255 * 0.7 * s.g_dayLightLevel));
    EXPECT_GT(night, 50);
    EXPECT_LT(qRed(twilight.pixel(640, 400)) - sky, night - 10);
}
