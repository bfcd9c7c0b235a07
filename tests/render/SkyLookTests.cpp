// How the sky looks: glows at every declination, bodies at their true sizes and brightness, stars
// going with the daylight, and a locked view that animates drawing what a fresh redraw draws.
#include "RenderTestSupport.h"

#include "../astro/Fixture.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/catalog/tables/MessierTable.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace rendertest;

namespace {

// Lit pixels within 80 of the centre of the picture.
int LitNearCentre(const QImage& img) {
    return LitPixels(img.copy(img.width() / 2 - 80, img.height() / 2 - 80, 160, 160));
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
    // The pixels a lone star changes, the camera locked on it.
    int StarLit(const nv::StarRecord& star) {
        auto one = EmptyCatalog();
        one->m_stars[1000] = star;
        const QImage with = LockedOn(*one, {star.x, star.y, star.z});
        return Differing(with, LockedOn(*empty, {star.x, star.y, star.z}));
    }
};

} // namespace

// Catches glows seen edge-on near the poles (Polaris once showed only its label): Polaris and a
// star of its magnitude on the equator light the same number of pixels, and no star of magnitude
// 6 or brighter is missing at any declination.
TEST_F(SkyLookTest, GlowsLookTheSameAtEveryDeclination) {
    ASSERT_NE(real, nullptr) << why;
    s.sw.m_showStars = true;
    constexpr int kPolaris = 11767;
    const nv::StarRecord polaris = real->m_stars[kPolaris];
    ASSERT_NEAR(polaris.magnitude, 1.97, 0.05);
    // (A coordinate of exactly 0 marks an empty catalogue slot: the star stands just off the axes.)
    const nv::Vec3f equator = nv::SkyDirection(0.01, 0.01);
    const int onEquator =
        StarLit({equator.x, equator.y, equator.z, polaris.spectralClass, polaris.magnitude});
    EXPECT_GT(onEquator, 300);
    EXPECT_NEAR(StarLit(polaris), onEquator, 0.1 * onEquator);
    for (const double dec : {-90.0, -89.9, -45.0, 30.0, 89.9, 90.0})
        for (const double ra : {0.01, 137.0}) {
            const nv::Vec3f v = nv::SkyDirection(ra, dec);
            EXPECT_NEAR(StarLit({v.x, v.y, v.z, 2.0f, polaris.magnitude}), onEquator, 0.1 * onEquator) << dec;
            EXPECT_GE(StarLit({v.x, v.y, v.z, 2.0f, 6.0f}), 1) << dec;
        }
}

// Catches naked-eye planets drawn fainter than stars of their magnitudes: each planet brighter than
// magnitude 6 lights at least as many pixels at the default field as a star of its magnitude and
// tint (London, December 2026: Saturn at 0.7, Mars, Mercury, Uranus).
TEST_F(SkyLookTest, PlanetsAtLeastAsBrightAsStarsOfTheirMagnitudes) {
    int planets = 0;
    for (int body = astro::kMercury; body <= astro::kNeptune; ++body) {
        s.sw = DarkState().sw;
        s.sw.m_showPlanets = true;
        s.g_lockOn = s.g_lockIsBody = true;
        s.g_lockName = std::string(nv::kSkyBodies[body].name);
        const int planet = LitNearCentre(frame.Render(s, *empty));
        const astro::BodyPosition b = frame.solar.Body(body);
        if (b.magnitude > 6.0) continue;
        ++planets;
        // The star where the planet stands, in the catalogue's frame of the date.
        const astro::Vec3 ofDate = astro::EclipticToEquatorial({b.x, b.y, b.z});
        const astro::Vec3 c = astro::DateToCatalogue(ofDate, nv::ChainOf(s));
        const double len = astro::Length(c);
        const nv::Vec3f v{float(c.x / len), float(c.y / len), float(c.z / len)};
        s.sw = DarkState().sw;
        s.sw.m_showStars = true;
        auto one = EmptyCatalog();
        one->m_stars[1000] = {v.x, v.y, v.z, nv::kSkyBodies[body].tint, float(b.magnitude)};
        const int star = LitNearCentre(LockedOn(*one, v));
        EXPECT_GT(star, 0) << nv::kSkyBodies[body].name;
        EXPECT_GE(planet, star) << nv::kSkyBodies[body].name << " at magnitude " << b.magnitude;
    }
    EXPECT_GE(planets, 6);
}

// Catches bodies drawn at their diameters as radii, or the Moon at a fixed distance: at a 1-degree
// field every disc (a green picture) is as wide as the true angular diameter (the published radius
// at the reference ephemeris' distance) within 2%, and Saturn's ring reaches 2.27 radii.
TEST(BodySizes, DrawnDiametersAtOneDegreeAreTheTrueOnes) {
    const auto t = astrotest::LoadFixture("distances.csv", "render");
    ASSERT_EQ(t.rows.size(), 9u);
    const double radiusKm[] = {695700, 1738.1, 2440.53, 6051.8, 3396.19, 71492, 60268, 25559, 24764};
    const std::string keys[] = {"sun",     "moon",   "mercury", "venus",  "mars",
                                "jupiter", "saturn", "uranus",  "neptune"};
    Frame wide, tall(360, 12000); // 800 pixels a degree for the Sun and the Moon, 12000 for the planets
    ASSERT_TRUE(wide.ok() && tall.ok());
    for (Frame* f : {&wide, &tall}) {
        f->ctx.makeCurrent();
        for (unsigned slot = nv::kSunTexture; slot <= nv::kMoonTexture; ++slot)
            MakeTexture(slot, 2, 2, {0x00ff00, 0x00ff00, 0x00ff00, 0x00ff00});
    }
    const auto none = EmptyCatalog();
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const int body = static_cast<int>(std::find(keys, keys + 9, t.Str(r, "body")) - keys);
        ASSERT_LT(body, 9) << t.Str(r, "body");
        nv::SkyState s = DarkState();
        s.sw.m_showPlanets = true;
        SetClock(s, t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"), t.Int(r, "hour"),
                 t.Int(r, "minute"), 0.0f, 0.0, 0.0);
        s.g_fov = 1.0f;
        s.g_lockOn = s.g_lockIsBody = true;
        s.g_lockName = std::string(nv::kSkyBodies[body].name);
        Frame& f = body <= astro::kMoon ? wide : tall;
        const QImage img = f.Render(s, *none);
        std::vector<float> depth(size_t(img.width()) * img.height()); // the globe and the ring write depth
        glReadPixels(0, 0, img.width(), img.height(), GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        double globe = 0, outer = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                globe += qGreen(p) > 0 && (qRed(p) == 0 || (qGreen(p) == 255 && qRed(p) < 255));
                if (depth[size_t(y) * img.width() + x] < 1.0f)
                    outer = std::max(outer,
                                     std::hypot(x + 0.5 - img.width() / 2.0, y + 0.5 - img.height() / 2.0));
            }
        const double drawnDeg = 2.0 * std::sqrt(globe / M_PI) / img.height();
        const double trueDeg =
            2.0 * std::asin(radiusKm[body] / (t.Num(r, "distance") * 149597870.7)) * astro::g_radToDeg;
        EXPECT_NEAR(drawnDeg / trueDeg, 1.0, 0.02)
            << t.Str(r, "body") << ": " << drawnDeg * 3600 << "\" drawn, " << trueDeg * 3600 << "\" true";
        if (body == astro::kSaturn) {
            EXPECT_NEAR(2.0 * outer / img.height() / drawnDeg, 2.27, 0.05) << "the ring";
        }
    }
}

// Catches stars shining through the daylight: with the Sun 15 degrees down the frame is the night
// frame, in the twilight faint stars go before bright ones and the Messier pictures dim, and by
// noon the stars are gone (the frame equals the frame without them) while the planets stay.
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

    // The Sun 6 degrees down: a bright star is still there, a faint one gone, M42 dimmer at 10 degrees.
    SetSunAltitude(s, -6.0);
    s.sw.m_showDayLight = true, s.sw.m_showStars = true;
    const nv::Vec3f v = nv::SkyDirection(30.0, 10.0);
    EXPECT_GT(StarLit({v.x, v.y, v.z, 2.0f, 1.0f}), 100);
    EXPECT_EQ(StarLit({v.x, v.y, v.z, 2.0f, 8.0f}), 0);
    MakeTexture(142, 8, 8, {});
    s.sw = DarkState().sw;
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

// Catches a layer drawn before the lock-on turns the camera (the Milky Way lagged a step behind the
// stars): a view locked on a sky point while the time runs draws what a fresh redraw draws.
TEST_F(SkyLookTest, ALockedAnimatingViewDrawsWhatAFreshRedrawDraws) {
    ASSERT_NE(real, nullptr) << why;
    s = FullSky(frame, *real, false);
    const nv::Vec3f m42 = nv::SkyDirection(83.82, -5.39);
    s.g_lockOn = true;
    s.g_lockX = m42.x, s.g_lockY = m42.y, s.g_lockZ = m42.z;
    frame.Render(s, *real);
    for (int minute = 10; minute <= 30; minute += 10) {
        SetClock(s, 2026, 12, 6, 22, minute, 0.0f, 51.5074, -0.1278); // the next animation step
        const QImage animated = frame.Render(s, *real);
        nv::SkyState fresh = s; // the camera the locked frame was drawn with, no lock
        fresh.g_lockOn = false;
        EXPECT_EQ(Differing(animated, frame.Render(fresh, *real)), 0) << "22:" << minute;
    }
}
