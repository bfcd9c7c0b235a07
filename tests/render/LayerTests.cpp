// Pixel tests of the frame, grouped by layer, in an off-screen context at 1280x800.
#include "RenderTestSupport.h"

#include "astro/SolarSystem.h"
#include "planetarium/SkyChain.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/render/BodyLabels.h"
#include "planetarium/render/Pictures.h"

#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace rendertest;

namespace {

bool Near(QRgb p, int r, int g, int b, int tol = 1) {
    return std::abs(qRed(p) - r) <= tol && std::abs(qGreen(p) - g) <= tol && std::abs(qBlue(p) - b) <= tol;
}
template <class Keep> int Count(const QImage& img, Keep keep) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += keep(img.pixel(x, y)) ? 1 : 0;
    return n;
}
// Lit pixels other than the compass words (which every frame draws).
int LitBesidesCompass(const QImage& img) {
    return Count(img, [](QRgb p) { return (p & 0xffffff) != 0 && !Near(p, 77, 153, 77, 2); });
}

using LayerTest = SkyFrameTest;

} // namespace

TEST_F(LayerTest, EverySwitchOffLeavesOnlyTheCompassWords) {
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 315.0f; // south-east: "East" and "South" both in view
    const QImage img = frame.Render(s, *empty);
    EXPECT_GT(LitPixels(img), 40);
    EXPECT_EQ(LitBesidesCompass(img), 0) << "something besides the compass words was drawn";

    // Under night vision the same words turn dark red.
    s.g_nightVision = true;
    const QImage red = frame.Render(s, *empty);
    EXPECT_EQ(LitPixels(red), LitPixels(img));
    EXPECT_EQ(Count(red, [](QRgb p) { return Near(p, 128, 0, 0); }), LitPixels(img));
}

TEST_F(LayerTest, SkyColourAndMilkyWayFollowTheSun) {
    s.sw.m_showDayLight = true;
    MakeTexture(1, 4, 4, {}); // a white Milky Way shows its grey level itself
    // The Sun 20 degrees down: a black sky, and the Milky Way at 0.34 x (0.2 + sin 20 deg).
    SetSunAltitude(s, -20.0);
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0);
    EXPECT_FALSE(s.g_dayLightActive);
    const double v = std::sin(20.0 * M_PI / 180);
    EXPECT_NEAR(s.g_dayLightLevel, 0.2 + v, 0.01); // the Sun is 0.985 AU away in December
    s.sw.m_showMilkyWay = true;
    const QImage milky = frame.Render(s, *empty);
    const int grey = static_cast<int>(std::lround(255 * 0.34 * (0.2 + v)));
    for (QPoint p : {QPoint(5, 5), QPoint(640, 400), QPoint(1270, 790)})
        EXPECT_TRUE(Near(milky.pixel(p), grey, grey, grey, 2)) << std::hex << milky.pixel(p);

    // The Sun near its lowest (about 60 degrees down at midnight): the level is 0.2 plus the depth of
    // the Sun below the horizon plane (its distance times the sine of its depression), the Milky
    // Way 0.34 of it, to the grey step.
    SetSunAltitude(s, -60.0);
    const QImage deep = frame.Render(s, *empty);
    const astro::BodyPosition& sun = frame.solar.Body(astro::kSun);
    const double depth = -astro::Length({sun.x, sun.y, sun.z}) *
                         std::sin(AltAzOfBody(s, frame.solar, astro::kSun).alt * M_PI / 180);
    EXPECT_NEAR(s.g_dayLightLevel, 0.2 + depth, 0.002);
    const int deepGrey = static_cast<int>(std::lround(255 * 0.34 * (0.2 + depth)));
    EXPECT_TRUE(Near(deep.pixel(640, 400), deepGrey, deepGrey, deepGrey, 1))
        << std::hex << deep.pixel(640, 400);

    // The Sun 15 degrees up (about London's December noon): daylight blue over the Milky Way.
    SetSunAltitude(s, 15.0);
    const QImage day = frame.Render(s, *empty);
    ASSERT_TRUE(s.g_dayLightActive);
    const float level = s.g_dayLightLevel;
    EXPECT_GT(level, 0.4f);
    const int rg = static_cast<int>(std::lround(255 * 0.7 * level));
    const int b = std::min(255, static_cast<int>(std::lround(255 * 2 * level)));
    for (QPoint p : {QPoint(5, 5), QPoint(640, 400)})
        EXPECT_TRUE(Near(day.pixel(p), rg, rg, b)) << std::hex << day.pixel(p);
    // Night vision keeps the sky black however high the Sun is.
    s.g_nightVision = true;
    EXPECT_EQ(frame.Render(s, *empty).pixel(640, 400) & 0x00ffff, 0u) << "green or blue under night vision";
    EXPECT_FALSE(s.g_dayLightActive);
}

TEST_F(LayerTest, FullFrameLeavesCleanStateAndNightVisionNoGreenOrBlue) {
    ASSERT_NE(real, nullptr) << why;
    s = nv::SkyState{};
    s.sw =
        nv::LayerSwitches{true, true, true, true, true, true, true, true, true, true, true, true, true, true};
    SetLondonEvening(s);
    LoadRealTextures(s);
    while (glGetError() != GL_NO_ERROR) {
    }
    frame.res.g_constellations.CopyStars(*real);
    EXPECT_GT(LitPixels(frame.Render(s, *real)), 100000);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    // The projection is the resize's, unmirrored: 65 degrees high, 1280/800 wide.
    double pr[16];
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    const double f = 1.0 / std::tan(32.5 * M_PI / 180);
    EXPECT_NEAR(pr[0], f / 1.6, 1e-5);
    EXPECT_NEAR(pr[5], f, 1e-5);

    s.g_fov = 12.0f; // Messier pictures and moon labels show
    s.m_viewYaw = 337.5f;
    s.m_viewPitch = -20.0f;
    s.g_nightVision = true;
    const QImage img = frame.Render(s, *real);
    EXPECT_EQ(Count(img, [](QRgb p) { return (qGreen(p) | qBlue(p)) != 0; }), 0);
    EXPECT_GT(LitPixels(img), 1000);
    // The colour mask is left open for whoever draws next.
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]);
}

TEST_F(LayerTest, MoonLabelsShowOnlyWhenZoomedBelowSixteenAndAQuarterDegrees) {
    s.sw.m_showPlanets = true;
    s.g_lockOn = s.g_lockIsBody = true;
    s.g_lockName = "Jupiter";
    // The moons' names alone (the planet's glows are drawn by the frame around them), on black,
    // for the camera the frame aimed at Jupiter: their lit pixels and their commonest grey
    // (overlapping labels add up).
    auto labels = [&](float fov) {
        s.g_fov = fov;
        frame.Render(s, *empty);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        nv::DrawMoonLabels(s, frame.solar);
        const QImage img = frame.ctx.grab();
        std::map<int, int> greys;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (const QRgb p = img.pixel(x, y); qRed(p) > 0 || qGreen(p) > 0 || qBlue(p) > 0)
                    ++greys[qRed(p)];
        const auto mode =
            std::max_element(greys.begin(), greys.end(), [](auto a, auto b) { return a.second < b.second; });
        return std::pair{LitPixels(img), greys.empty() ? 0 : mode->first};
    };
    // Upside down (a negative field) the labels keep the grey of the field's size: (65 - 60) / 165
    // of white at 15 degrees, none at 65.
    for (float sign : {1.0f, -1.0f}) {
        EXPECT_EQ(labels(65.0f * sign).first, 0) << sign;
        EXPECT_EQ(labels(16.5f * sign).first, 0) << sign;
        const auto [count, grey] = labels(15.0f * sign);
        EXPECT_GT(count, 20) << sign;
        EXPECT_NEAR(grey, 8, 1) << sign;
    }
    // The lock-on keeps Jupiter at the centre of the view.
    const auto at = ExpectedPixel(s, AltAzOfBody(s, frame.solar, astro::kJupiter));
    ASSERT_TRUE(at);
    EXPECT_NEAR(at->x(), 640, 0.5);
    EXPECT_NEAR(at->y(), 400, 0.5);
}

TEST_F(LayerTest, MessierPicturesInvisibleAtSixtyFiveVisibleAtTen) {
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMessiers = true;
    s.g_lockOn = true;
    const nv::Vec3f m42 = empty->m_messierCentre[41];
    s.g_lockX = m42.x, s.g_lockY = m42.y, s.g_lockZ = m42.z;
    MakeTexture(142, 8, 8, {});
    s.g_fov = 65.0f;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0);

    s.g_fov = 10.0f;
    const QImage img = frame.Render(s, *empty);
    const int grey = 98; // 255 x (65 - 4 x 10) / 65
    EXPECT_TRUE(Near(img.pixel(640, 400), grey, grey, grey, 2)) << std::hex << img.pixel(640, 400);
    // M42's box is about 1.35 x 0.96 degrees, at 80 pixels a degree.
    EXPECT_GT(LitPixels(img), 20000);
    EXPECT_LT(LitPixels(img), 200000);
}

TEST_F(LayerTest, MagnitudeSixStarAndFainterOnesArePointsBrighterOnesGlows) {
    s.sw.m_showStars = true;
    const astro::Vec3 centre = astro::ViewCentreDirection(nv::ChainOf(s));
    nv::StarRecord& star = empty->m_stars[1000];
    star = {float(centre.x), float(centre.y), float(centre.z), 2.0f, 6.0f};
    auto litAt = [&](float magnitude) {
        star.magnitude = magnitude;
        frame.res.CatalogChanged();
        return LitBesidesCompass(frame.Render(s, *empty));
    };
    for (bool batch : {true, false}) {
        frame.res.batchStars = batch;
        EXPECT_EQ(litAt(6.0f), 1) << "batch " << batch; // a glow of no size: a point, never lost
        EXPECT_EQ(litAt(5.95f), 1) << "batch " << batch;
        EXPECT_EQ(litAt(6.5f), 1) << "batch " << batch;
        EXPECT_GT(litAt(1.0f), 200) << "batch " << batch;
    }
}

TEST_F(LayerTest, FaintStarTakesTheColourOfItsSpectralClass) {
    s.sw.m_showStars = true;
    const astro::Vec3 centre = astro::ViewCentreDirection(nv::ChainOf(s));
    nv::StarRecord& star = empty->m_stars[1000];
    // Magnitude 6.5 at the full field: one point of brightness B = (13.4 - 6.5) / 13, times the
    // class's red, green and blue shares.
    const double share[8][3] = {{0.4, 0.4, 1}, {0.7, 0.7, 1}, {1, 1, 1},       {1, 1, 0.7},
                                {1, 1, 0.4},   {1, 1, 0.7},   {0.7, 0.4, 0.4}, {1, 1, 1}};
    const double b = 255 * (13.4 - 6.5) / 13;
    for (int cls = 0; cls < 8; ++cls) {
        star = {float(centre.x), float(centre.y), float(centre.z), float(cls), 6.5f};
        frame.res.CatalogChanged();
        const QImage img = frame.Render(s, *empty);
        std::vector<QRgb> lit;
        for (int y = 380; y < 420; ++y)
            for (int x = 620; x < 660; ++x)
                if ((img.pixel(x, y) & 0xffffff) != 0) lit.push_back(img.pixel(x, y));
        ASSERT_EQ(lit.size(), 1u) << "class " << cls;
        EXPECT_TRUE(Near(lit[0], int(std::lround(b * share[cls][0])), int(std::lround(b * share[cls][1])),
                         int(std::lround(b * share[cls][2]))))
            << "class " << cls << ": " << std::hex << lit[0];
    }
}

TEST_F(LayerTest, OnlyTheMoonIsShadedByTheSun) {
    s.sw.m_showPlanets = true;
    // At 1 degree the Moon's disc (0.5 degree, 430 pixels) fills the middle of the view and its glow
    // as a star of its magnitude lies within the disc, under the sphere (at wider fields it is added
    // over it).
    s.g_fov = 1.0f;
    SetClock(s, 2026, 12, 17, 18, 0, 0.0f, 51.5074, -0.1278);
    frame.solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    const AltAz moon = AltAzOfBody(s, frame.solar, astro::kMoon);
    AimAt(s, moon.alt, moon.az);
    MakeTexture(nv::kMoonTexture, 4, 4, {}); // a white picture: the shading alone
    // Near first quarter. The Sun's light (diffuse 1, ambient 0.5) on the default material (diffuse
    // 0.8, ambient 0.2) with the scene's ambient 0.2 gives the sunlit limb at most 0.94 of white and
    // the night side 0.14.
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

TEST_F(LayerTest, GridsInTheirOwnColours) {
    // Labels are drawn in the grid's colour itself: the commonest bright colour besides the compass
    // (the lines' smoothed edges are fainter).
    auto commonest = [&] {
        const QImage img = frame.Render(s, *empty);
        std::map<QRgb, int> seen;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                if (std::max({qRed(p), qGreen(p), qBlue(p)}) >= 70 && !Near(p, 77, 153, 77, 2)) ++seen[p];
            }
        return std::max_element(seen.begin(), seen.end(), [](auto a, auto b) { return a.second < b.second; })
            ->first;
    };
    s.sw.m_showRaDec = true; // (0.2, 0.4, 0.5)
    EXPECT_TRUE(Near(commonest(), 51, 102, 128)) << std::hex << commonest();
    s.sw.m_showRaDec = false;
    s.sw.m_showAltAzi = true; // (0.1, 0.5, 0.4)
    EXPECT_TRUE(Near(commonest(), 26, 128, 102)) << std::hex << commonest();
    s.g_nightVision = true; // (0.3, 0, 0)
    EXPECT_TRUE(Near(commonest(), 77, 0, 0)) << std::hex << commonest();
}

// A slot with no picture (its file missing or refused) draws nothing: no flat grey night for the
// Milky Way, no grey rectangle for a Messier object.
TEST_F(LayerTest, AMissingPictureLeavesWhatItShowsOut) {
    s.sw.m_showMilkyWay = true;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0) << "no flat grey night";
    s.sw.m_showMilkyWay = false;
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMessiers = true;
    s.g_lockOn = true;
    const nv::Vec3f m42 = empty->m_messierCentre[41];
    s.g_lockX = m42.x, s.g_lockY = m42.y, s.g_lockZ = m42.z;
    s.g_fov = 10.0f;
    EXPECT_EQ(LitBesidesCompass(frame.Render(s, *empty)), 0) << "no grey rectangle";
    MakeTexture(142, 8, 8, {});
    EXPECT_GT(LitBesidesCompass(frame.Render(s, *empty)), 20000) << "the picture, once there, is drawn";
}

// A picture source (what a single snapshot uses) is asked for a slot only when a layer draws with
// it, and only once.
TEST_F(LayerTest, PicturesOnDemandAreReadOnlyForWhatTheFrameShows) {
    std::vector<unsigned> asked;
    nv::SetPictureSource([&asked](unsigned slot) {
        asked.push_back(slot);
        if (slot == nv::kMilkyWayTexture) MakeTexture(slot, 4, 4, {});
        return slot == nv::kMilkyWayTexture;
    });
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMilkyWay = s.sw.m_showMessiers = true;
    s.g_fov = 65.0f; // the Messier pictures are invisible this wide: none is read
    const int lit = LitBesidesCompass(frame.Render(s, *empty));
    frame.Render(s, *empty);
    nv::SetPictureSource({});
    EXPECT_EQ(asked, std::vector<unsigned>{nv::kMilkyWayTexture});
    EXPECT_GT(lit, 100000) << "the picture read on demand is drawn in the same frame";
}
