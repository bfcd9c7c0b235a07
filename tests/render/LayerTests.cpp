// Pixel tests of the frame, grouped by layer, in an off-screen context at 1280x800.
#include "RenderTestSupport.h"

#include "astro/SolarSystem.h"
#include "planetarium/SkyChain.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/render/BodyLabels.h"
#include "planetarium/render/Messiers.h"
#include "planetarium/render/Projection.h"

#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

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
    // The projection is the resize's, unmirrored.
    double pr[16];
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    const nv::ProjectionParams p = nv::SkyProjection(s.g_fov, false, kWidth, kHeight);
    const double f = 1.0 / std::tan(p.fovy * M_PI / 360);
    EXPECT_NEAR(pr[0], f / p.aspect, 1e-5);
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
    // for the camera the frame aimed at Jupiter.
    auto labelPixels = [&](float fov) {
        s.g_fov = fov;
        frame.Render(s, *empty);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        nv::DrawMoonLabels(s, frame.solar);
        return LitPixels(frame.ctx.grab());
    };
    EXPECT_EQ(labelPixels(65.0f), 0);
    EXPECT_EQ(labelPixels(16.5f), 0);
    EXPECT_GT(labelPixels(15.0f), 20);
    EXPECT_GT(labelPixels(-15.0f), 20); // a flipped view too
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
    const int grey = static_cast<int>(std::lround(255 * nv::MessierGrey(10.0f)));
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

TEST_F(LayerTest, BatchedStarsDrawTheSamePictureAsOneStarAtATime) {
    ASSERT_NE(real, nullptr) << why;
    s.sw.m_showStars = true;
    struct View {
        float fov, pitch, yaw;
        bool flip;
    };
    for (const View v : {View{65, -30, 90, false}, View{20, -40, 300, false}, View{-40, -10, 200, true}}) {
        s.g_fov = v.fov, s.m_viewPitch = v.pitch, s.m_viewYaw = v.yaw, s.g_flipHorizontal = v.flip;
        frame.res.batchStars = false;
        const QImage one = frame.Render(s, *real);
        frame.res.batchStars = true;
        EXPECT_GT(LitPixels(one), 1000);
        EXPECT_TRUE(one == frame.Render(s, *real)) << "fov " << v.fov;
        EXPECT_LT(frame.res.stars.CellsDrawn(), 649) << "cells outside the view are left out";
    }
}
