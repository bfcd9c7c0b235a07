// Pixel tests of the frame at 1280x800, grouped by layer, and where things land on the screen.
#include "RenderTestSupport.h"

#include "../astro/Fixture.h"
#include "astro/SolarSystem.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/render/BodyLabels.h"
#include "planetarium/render/Bodies.h"
#include "planetarium/render/Pictures.h"

#include <GL/gl.h>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace rendertest;

namespace {

bool Near(QRgb p, int r, int g, int b, int tol = 1) {
    return std::abs(qRed(p) - r) <= tol && std::abs(qGreen(p) - g) <= tol && std::abs(qBlue(p) - b) <= tol;
}
// Lit pixels other than the compass words (which every frame draws).
int LitBesidesCompass(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += (p & 0xffffff) != 0 && !Near(p, 77, 153, 77, 2);
        }
    return n;
}
// The commonest colour of the picture among the pixels `keep` passes.
template <class Keep> QRgb Commonest(const QImage& img, Keep keep) {
    std::map<QRgb, int> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (keep(img.pixel(x, y))) ++seen[img.pixel(x, y)];
    if (seen.empty()) return 0;
    return std::max_element(seen.begin(), seen.end(), [](auto a, auto b) { return a.second < b.second; })
        ->first;
}

using LayerTest = SkyFrameTest;
using PlacementTest = SkyFrameTest;

} // namespace

// Catches a layer drawn with its switch off, a missing picture drawn as a flat grey night or a
// grey rectangle, and the Messier pictures' fade with the field (255 x (65 - 4 x 10) / 65 at 10
// degrees, none at 65).
TEST_F(LayerTest, SwitchesOffAndMissingPicturesLeaveOnlyTheCompassWords) {
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 315.0f; // south-east: "East" and "South" both in view
    const QImage off = frame.Render(s, *empty);
    EXPECT_GT(LitPixels(off), 40);
    EXPECT_EQ(LitBesidesCompass(off), 0) << "something besides the compass words was drawn";
    s.sw.m_showMilkyWay = true;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0) << "no flat grey night";
    s.sw.m_showMilkyWay = false;
    s.sw.m_showMessiers = s.g_lockOn = true;
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    const nv::Vec3f m42 = empty->m_messierCentre[41];
    s.g_lockX = m42.x, s.g_lockY = m42.y, s.g_lockZ = m42.z;
    s.g_fov = 10.0f;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0) << "no grey rectangle";
    MakeTexture(142, 8, 8, {});
    const QImage img = frame.Render(s, *empty);
    EXPECT_TRUE(Near(img.pixel(640, 400), 98, 98, 98, 2)) << std::hex << img.pixel(640, 400);
    s.g_fov = 65.0f;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0);
}

// Catches the Milky Way's grey factor (0.34; 0.35 is 3 steps brighter here), the sky level not
// following the Sun's depth (0.2 plus its distance times the sine of its depression), a daylight
// colour other than (0.7, 0.7, 2) x level, and daylight shown under night vision.
TEST_F(LayerTest, SkyColourAndMilkyWayFollowTheSun) {
    // The Sun near its lowest (about 60 degrees down at midnight), a white Milky Way picture.
    s.sw.m_showDayLight = s.sw.m_showMilkyWay = true;
    MakeTexture(1, 4, 4, {});
    SetSunAltitude(s, -60.0);
    const QImage deep = frame.Render(s, *empty);
    const astro::BodyPosition& sun = frame.solar.Body(astro::kSun);
    const double depth = -astro::Length({sun.x, sun.y, sun.z}) *
                         std::sin(AltAzOfBody(s, frame.solar, astro::kSun).alt * M_PI / 180);
    EXPECT_NEAR(s.g_dayLightLevel, 0.2 + depth, 0.002);
    const int grey = static_cast<int>(std::lround(255 * 0.34 * (0.2 + depth)));
    EXPECT_TRUE(Near(deep.pixel(5, 5), grey, grey, grey, 1)) << std::hex << deep.pixel(5, 5);
    // The Sun 15 degrees up (about London's December noon): daylight blue over the Milky Way.
    SetSunAltitude(s, 15.0);
    const QImage day = frame.Render(s, *empty);
    ASSERT_TRUE(s.g_dayLightActive);
    const float level = s.g_dayLightLevel;
    const int rg = static_cast<int>(std::lround(255 * 0.7 * level));
    const int b = std::min(255, static_cast<int>(std::lround(255 * 2 * level)));
    EXPECT_TRUE(Near(day.pixel(5, 5), rg, rg, b)) << std::hex << day.pixel(5, 5);
    s.g_nightVision = true;
    EXPECT_EQ(frame.Render(s, *empty).pixel(640, 400) & 0x00ffff, 0u) << "green or blue under night vision";
    EXPECT_FALSE(s.g_dayLightActive);
}

// Catches moon labels shown at wide fields, and their grey losing the field's absolute value in a
// flipped view: (65 - 60) / 165 of white at 15 degrees, none from 16.25 up.
TEST_F(LayerTest, MoonLabelsShowOnlyWhenZoomedBelowSixteenAndAQuarterDegrees) {
    s.sw.m_showPlanets = true;
    s.g_lockOn = s.g_lockIsBody = true;
    s.g_lockName = "Jupiter";
    // The moons' names alone, on black, for the camera the frame aimed at Jupiter: their lit
    // pixels and their commonest grey (overlapping labels add up).
    auto labels = [&](float fov) {
        s.g_fov = fov;
        frame.Render(s, *empty);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        nv::DrawMoonLabels(s, frame.solar);
        const QImage img = frame.ctx.grab();
        return std::pair{LitPixels(img), qRed(Commonest(img, [](QRgb p) { return (p & 0xffffff) != 0; }))};
    };
    for (float sign : {1.0f, -1.0f}) {
        EXPECT_EQ(labels(65.0f * sign).first, 0) << sign;
        EXPECT_EQ(labels(16.5f * sign).first, 0) << sign;
        const auto [count, grey] = labels(15.0f * sign);
        EXPECT_GT(count, 20) << sign;
        EXPECT_NEAR(grey, 8, 1) << sign;
    }
}

// Catches red and blue swapped in a colour class: a magnitude 6.5 star is a single point of
// brightness B = (13.4 - 6.5) / 13 times the class's shares.
TEST_F(LayerTest, FaintStarsArePointsInTheColourOfTheirSpectralClass) {
    s.sw.m_showStars = true;
    const astro::Vec3 centre = astro::ViewCentreDirection(nv::ChainOf(s));
    frame.res.batchStars = true;
    const double share[8][3] = {{0.4, 0.4, 1}, {0.7, 0.7, 1}, {1, 1, 1},       {1, 1, 0.7},
                                {1, 1, 0.4},   {1, 1, 0.7},   {0.7, 0.4, 0.4}, {1, 1, 1}};
    const double b = 255 * (13.4 - 6.5) / 13;
    for (int cls = 0; cls < 8; ++cls) {
        empty->m_stars[1000] = {float(centre.x), float(centre.y), float(centre.z), float(cls), 6.5f};
        frame.res.CatalogChanged();
        const QImage img = frame.Render(s, *empty).copy(620, 380, 40, 40);
        ASSERT_EQ(LitPixels(img), 1) << "class " << cls;
        const QRgb lit = Commonest(img, [](QRgb p) { return (p & 0xffffff) != 0; });
        EXPECT_TRUE(Near(lit, int(std::lround(b * share[cls][0])), int(std::lround(b * share[cls][1])),
                         int(std::lround(b * share[cls][2]))))
            << "class " << cls << ": " << std::hex << lit;
    }
}

// Catches the Moon drawn unshaded. At 1 degree its disc (0.5 degree, 430 pixels) fills the middle
// of the view near first quarter. The Sun's light (diffuse 1, ambient 0.5) on the default material
// (diffuse 0.8, ambient 0.2) with the scene's ambient 0.2 gives the sunlit limb at most 0.94 of
// white and the night side 0.14.
TEST_F(LayerTest, OnlyTheMoonIsShadedByTheSun) {
    s.sw.m_showPlanets = true;
    s.g_fov = 1.0f;
    SetClock(s, 2026, 12, 17, 18, 0, 0.0f, 51.5074, -0.1278);
    frame.solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    const AltAz moon = AltAzOfBody(s, frame.solar, astro::kMoon);
    AimAt(s, moon.alt, moon.az);
    MakeTexture(nv::kMoonTexture, 4, 4, {}); // a white picture: the shading alone
    const QImage img = frame.Render(s, *empty);
    int disc = 0, night = 0, top = 0;
    for (int y = 170; y < 630; ++y)
        for (int x = 410; x < 870; ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) == 0 || qRed(p) != qGreen(p) || qRed(p) != qBlue(p)) continue; // not the disc
            ++disc;
            night += std::abs(qRed(p) - 36) <= 1;
            top = std::max(top, qRed(p));
        }
    EXPECT_GT(disc, 10000);
    EXPECT_GT(night, disc / 4) << "no night side";
    EXPECT_LE(top, 241) << "brighter than the Sun's light can make it";
    EXPECT_GT(top, 200) << "no sunlit limb";
}

// Catches the grids' colours swapped or wrong: labels are drawn in the grid's colour itself, the
// commonest bright colour besides the compass (the lines' smoothed edges are fainter).
TEST_F(LayerTest, GridsInTheirOwnColours) {
    auto commonest = [&] {
        return Commonest(frame.Render(s, *empty), [](QRgb p) {
            return std::max({qRed(p), qGreen(p), qBlue(p)}) >= 70 && !Near(p, 77, 153, 77, 2);
        });
    };
    s.sw.m_showRaDec = true; // (0.2, 0.4, 0.5)
    EXPECT_TRUE(Near(commonest(), 51, 102, 128)) << std::hex << commonest();
    s.sw.m_showRaDec = false;
    s.sw.m_showAltAzi = true; // (0.1, 0.5, 0.4)
    EXPECT_TRUE(Near(commonest(), 26, 128, 102)) << std::hex << commonest();
    s.g_nightVision = true; // (0.3, 0, 0)
    EXPECT_TRUE(Near(commonest(), 77, 0, 0)) << std::hex << commonest();
}

// Catches a snapshot's picture source asked for slots no layer draws (every Messier picture at 65
// degrees) or asked twice, and a picture read on demand not drawn in the frame that asked.
TEST_F(LayerTest, PicturesOnDemandAreReadOnlyForWhatTheFrameShows) {
    std::vector<unsigned> asked;
    nv::SetPictureSource([&asked](unsigned slot) {
        asked.push_back(slot);
        if (slot == nv::kMilkyWayTexture) MakeTexture(slot, 4, 4, {});
        return slot == nv::kMilkyWayTexture;
    });
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMilkyWay = s.sw.m_showMessiers = true;
    const int lit = LitBesidesCompass(frame.Render(s, *empty));
    frame.Render(s, *empty);
    nv::SetPictureSource({});
    EXPECT_EQ(asked, std::vector<unsigned>{nv::kMilkyWayTexture});
    EXPECT_GT(lit, 100000);
}

// Against the reference sky: three places and dates 1995-2040, catalogue stars (J2000, drawn on
// the sky of their date) and the planets where the reference ephemeris stands them, each within
// 2 pixels at 1280x800 and the 65-degree field. By 2040 the precession alone moves a star 7 pixels.
TEST_F(PlacementTest, StarsAndPlanetsLandWhereTheReferenceSkyHasThem) {
    const auto t = astrotest::LoadFixture("placement.csv", "render");
    ASSERT_GE(t.rows.size(), 100u);
    std::map<std::string, int> starsOf, planetsOf;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const std::string place = t.Str(r, "place"), what = t.Str(r, "object");
        const bool planet = t.Str(r, "ra").empty();
        // A spread of the stars (every fourth by name) and every planet of each place.
        if (!planet && starsOf[place]++ % 4 != 0) continue;
        if (planet) ++planetsOf[place];
        SetClock(s, t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"), t.Int(r, "hour"),
                 t.Int(r, "minute"), static_cast<float>(t.Num(r, "zone")), t.Num(r, "lat"), t.Num(r, "lon"));
        s.sw = DarkState().sw;
        auto one = EmptyCatalog();
        int onlyBody = -1;
        if (planet) {
            s.sw.m_showPlanets = true;
            std::string name = what; // "Mercury" for "mercury"
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            for (int b = 0; b < astro::kBodyCount; ++b)
                if (nv::kSkyBodies[b].name == name) onlyBody = b;
            ASSERT_GE(onlyBody, 0) << what;
        } else {
            s.sw.m_showStars = true;
            const nv::Vec3f v = nv::SkyDirection(t.Num(r, "ra"), t.Num(r, "dec"));
            one->m_stars[1000] = {v.x, v.y, v.z, 2.0f, 1.0f};
        }
        frame.res.CatalogChanged();
        const AltAz where{t.Num(r, "alt"), t.Num(r, "az")};
        AimAt(s, where.alt + 9.0, where.az - 14.0); // off the centre, so the whole projection counts
        const auto expected = ExpectedPixel(s, where);
        ASSERT_TRUE(expected);
        QImage img = frame.Render(s, *one);
        if (onlyBody >= 0) { // the body's own glow alone: other planets, labels and the Moon crowd it
            astro::CSolarSystem alone;
            alone.m_bodies[onlyBody] = frame.solar.Body(onlyBody);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            for (const bool outreaching : {false, true}) nv::DrawBodiesAsStars(s, alone, outreaching, false);
            img = frame.ctx.grab();
        }
        const auto drawn = Centroid(img, *expected, 40, [](QRgb p) { return (p & 0xffffff) != 0; });
        ASSERT_TRUE(drawn) << place << " " << what << " not drawn near " << expected->x() << ","
                           << expected->y();
        EXPECT_NEAR(drawn->x(), expected->x(), 2.0) << place << " " << what;
        EXPECT_NEAR(drawn->y(), expected->y(), 2.0) << place << " " << what;
    }
    for (const auto& [place, n] : starsOf) {
        EXPECT_GE(n, 30) << place;
        EXPECT_EQ(planetsOf[place], 7) << place;
    }
}

// Catches a mirrored view or a flip that does nothing: facing azimuth 120, "East" stands 30
// degrees left of the centre and only the flip (an eyepiece diagonal) puts it on the right.
TEST_F(PlacementTest, TheUnflippedViewIsTheSkyAsTheEyeSeesIt) {
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 330.0f;
    for (const bool flip : {false, true}) {
        s.g_flipHorizontal = flip;
        const QImage img = frame.Render(s, *empty);
        for (const double x : {kWidth * 0.25, kWidth * 0.75}) // the compass words in each half
            EXPECT_EQ(bool(Centroid(img, QPointF(x, kHeight / 2), kWidth / 4,
                                    [](QRgb p) { return qGreen(p) > 0; })),
                      (x < kWidth / 2) != flip)
                << "flip " << flip << " half at " << x;
    }
}

TEST_F(PlacementTest, MessierPicturesReadAsTheirSourceImages) {
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMessiers = true;
    s.g_fov = 4.0f;
    // M42's picture: left half red, right half green, with a blue top row band.
    std::vector<unsigned> picture(16 * 16);
    for (int i = 0; i < 16 * 16; ++i) picture[i] = i < 4 * 16 ? 0x0000ff : (i % 16 < 8 ? 0xff0000 : 0x00ff00);
    MakeTexture(142, 16, 16, picture);
    const nv::Vec3f c = empty->m_messierCentre[41];
    const AltAz centre = AltAzOfDirection(s, c.x, c.y, c.z);
    AimAt(s, centre.alt, centre.az);
    const QImage img = frame.Render(s, *empty);
    auto find = [&](auto keep) { return Centroid(img, QPointF(640, 400), 300, keep); };
    const auto red = find([](QRgb p) { return qRed(p) > 40 && qGreen(p) == 0; });
    const auto green = find([](QRgb p) { return qGreen(p) > 40 && qRed(p) == 0; });
    const auto blue = find([](QRgb p) { return qBlue(p) > 40; });
    ASSERT_TRUE(red && green && blue);
    // Where the sky's east and north lie on the screen around M42.
    double ra = 0, dec = 0;
    astro::RaDecFromVector({c.x, c.y, c.z}, ra, dec);
    auto screenOf = [&](double ra2, double dec2) {
        const astro::Vec3 v = astro::EquatorialVector(ra2, dec2);
        return *ExpectedPixel(s, AltAzOfDirection(s, v.x, v.y, v.z));
    };
    const QPointF here = screenOf(ra, dec);
    // The picture's left side is the sky's east, its top the sky's north.
    EXPECT_LT(QPointF::dotProduct(*green - *red, screenOf(ra + 0.5, dec) - here), 0);
    EXPECT_GT(QPointF::dotProduct(*blue - (*red + *green) / 2, screenOf(ra, dec + 0.5) - here), 0);
}
