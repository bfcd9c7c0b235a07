// Camera arithmetic: zoom, glide, drag, Goto, north, lock-on and flips over a plain sky state.
#include "planetarium/tools/Navigation.h"
#include "astro/SkyRotation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace nv;
using namespace nv::tools;

namespace {

double AngleBetween(const astro::Vec3& a, const astro::Vec3& b) {
    const double d = (a.x * b.x + a.y * b.y + a.z * b.z) / (astro::Length(a) * astro::Length(b));
    return std::acos(std::fmax(-1.0, std::fmin(1.0, d))) * astro::kRadToDeg;
}

SkyState PlaceAndTime(double latitude, double longitude, float siderealAngle) {
    SkyState s;
    s.g_latitude = latitude;
    s.g_longitude = longitude;
    s.g_siderealAngle = siderealAngle;
    return s;
}

} // namespace

TEST(Zoom, StepsOfTwoBetween65And1AndBack) {
    float fov = 65.0f;
    int steps = 0;
    while (fov > 1.0f) {
        const float next = ZoomInFov(fov);
        ASSERT_EQ(next, fov - 2.0f);
        fov = next;
        ++steps;
    }
    EXPECT_EQ(steps, 32);
    EXPECT_EQ(ZoomInFov(1.0f), 1.0f); // stops at 1
    EXPECT_EQ(ZoomIndicatorValue(1.0f), 64);
    steps = 0;
    while (fov < 65.0f) {
        fov = ZoomOutFov(fov);
        ++steps;
    }
    EXPECT_EQ(steps, 32);
    EXPECT_EQ(ZoomOutFov(65.0f), 65.0f);
    EXPECT_EQ(ZoomIndicatorValue(65.0f), 0);
}

TEST(Zoom, FlippedFieldKeepsItsSignAndFillsTheBarAlike) {
    SkyState s;
    FlipVertical(s);
    EXPECT_EQ(s.g_fov, -65.0f);
    EXPECT_EQ(ZoomInFov(s.g_fov), -63.0f);
    EXPECT_EQ(ZoomIndicatorValue(-63.0f), ZoomIndicatorValue(63.0f));
    float fov = -65.0f;
    for (int i = 0; i < 40; ++i) fov = ZoomInFov(fov);
    EXPECT_EQ(fov, -1.0f);
    for (int i = 0; i < 40; ++i) fov = ZoomOutFov(fov);
    EXPECT_EQ(fov, -65.0f);
    FlipVertical(s);
    EXPECT_EQ(s.g_fov, 65.0f);
}

TEST(Glide, LeftArrowAtFullZoomOutIsFourFourAndASnapOfTwo) {
    SkyState s; // yaw 90, fov 65
    const GlideTarget t = ArrowKeyTarget(s, ArrowKey::Left);
    EXPECT_NEAR(t.yaw, 100.0f, 1e-5);
    EXPECT_EQ(t.pitch, s.m_viewPitch);
    StartGlideTargets(s, t.pitch, t.yaw);
    EXPECT_FALSE(StepGlideAngles(s));
    EXPECT_NEAR(s.m_viewYaw, 94.0f, 1e-5);
    EXPECT_FALSE(StepGlideAngles(s));
    EXPECT_NEAR(s.m_viewYaw, 98.0f, 1e-5);
    EXPECT_TRUE(s.g_gliding);
    EXPECT_TRUE(StepGlideAngles(s));
    EXPECT_EQ(s.m_viewYaw, t.yaw);
    EXPECT_FALSE(s.g_gliding);
}

TEST(Glide, TurnsTheShortWayRound) {
    float yaw = 350.0f;
    EXPECT_FALSE(GlideAxisStep(yaw, 10.0f));
    EXPECT_EQ(yaw, 354.0f); // up through 360, not down through 180
    float down = 10.0f;
    GlideAxisStep(down, 350.0f);
    EXPECT_EQ(down, 6.0f);
    float there = 123.0f;
    EXPECT_TRUE(GlideAxisStep(there, 123.0f));
    EXPECT_EQ(there, 123.0f);
    // A zoomed-in or flipped view scales the arrow step with the field of view.
    SkyState s;
    s.g_fov = -13.0f;
    EXPECT_NEAR(ArrowKeyTarget(s, ArrowKey::Up).pitch, -30.0f + 2.0f, 1e-5);
}

TEST(Glide, NinetyDegreesTakesTwentyThreeTicks) {
    SkyState s;
    StartGlideTargets(s, s.m_viewPitch, s.m_viewYaw + 90.0f);
    int ticks = 0;
    while (s.g_gliding && ticks < 100) {
        StepGlideAngles(s);
        ++ticks;
    }
    EXPECT_EQ(ticks, 23); // 22 steps of 4 leave 2, snapped on the next tick
}

TEST(NavButtons, CompassButtonsAndTenDegreeSteps) {
    SkyState s;
    s.m_viewPitch = -12.0f;
    s.m_viewYaw = 40.0f;
    EXPECT_EQ(NavButtonTarget(s, 1032).yaw, 90.0f);
    EXPECT_EQ(NavButtonTarget(s, 1033).yaw, 270.0f);
    EXPECT_EQ(NavButtonTarget(s, 1034).yaw, 0.0f);
    EXPECT_EQ(NavButtonTarget(s, 1035).yaw, 180.0f);
    for (int id = 1032; id <= 1035; ++id) EXPECT_EQ(NavButtonTarget(s, id).pitch, -30.0f);
    EXPECT_EQ(NavButtonTarget(s, 1036).pitch, -22.0f);
    EXPECT_EQ(NavButtonTarget(s, 1037).pitch, -2.0f);
    EXPECT_EQ(NavButtonTarget(s, 1038).yaw, 50.0f);
    EXPECT_EQ(NavButtonTarget(s, 1039).yaw, 30.0f);
    s.g_fov = 5.0f; // the 10-degree buttons do not depend on the zoom
    EXPECT_EQ(NavButtonTarget(s, 1038).yaw, 50.0f);
}

TEST(Drag, TurnsWithTheFieldAndReversalContributesNothing) {
    SkyState s;
    s.g_viewWidth = 1000;
    s.g_viewHeight = 800;
    s.g_lockOn = s.g_lockIsBody = true;
    BeginDrag(s, 500, 400);
    EXPECT_FALSE(s.g_lockOn);
    EXPECT_FALSE(s.g_lockIsBody);
    const float yaw0 = s.m_viewYaw;
    DragStep(s, 600, 400); // right: dx = -100
    const float expected = std::atan(-100.0f / 1000.0f) * 57.29578f * (65.0f * 0.015384615f);
    EXPECT_NEAR(s.m_viewYaw, yaw0 - expected, 1e-4);
    EXPECT_EQ(s.m_viewPitch, -30.0f);
    // Moving on grows the turn from the same anchor.
    DragStep(s, 650, 400);
    EXPECT_EQ(s.m_dragStartX, 500);
    const float afterRun = s.m_viewYaw;
    // The pointer turns back: the anchor moves there and the move adds nothing on x.
    DragStep(s, 640, 400);
    EXPECT_EQ(s.m_viewYaw, afterRun);
    EXPECT_EQ(s.m_dragStartX, 640);
    EndDrag(s);
    DragStep(s, 10, 10); // not dragging: nothing
    EXPECT_EQ(s.m_viewYaw, afterRun);
}

TEST(Drag, AViewNotYetSizedNeverGivesNaN) {
    SkyState s; // g_viewWidth and g_viewHeight are 0
    BeginDrag(s, 5, 5);
    DragStep(s, 5, 5);
    DragStep(s, 9, 2);
    EXPECT_TRUE(std::isfinite(s.m_viewYaw));
    EXPECT_TRUE(std::isfinite(s.m_viewPitch));
}

TEST(Goto, AltAziTargetsInvertTheReadout) {
    GlideTarget t = GotoAltAziTarget(45.0, 90.0);
    EXPECT_NEAR(t.pitch, -45.0f, 1e-4);
    EXPECT_NEAR(t.yaw, 0.0f, 1e-4);
    t = GotoAltAziTarget(30.0, 0.0);
    EXPECT_NEAR(t.pitch, -30.0f, 1e-4);
    EXPECT_NEAR(t.yaw, 90.0f, 1e-4);
    // Round trip through the readout for a spread of headings.
    for (float pitch : {-80.0f, -45.0f, -10.0f, 0.0f, 20.0f}) {
        for (float yaw : {-200.0f, 0.0f, 37.5f, 90.0f, 181.0f, 300.0f}) {
            const auto r = astro::UpdateViewCentreReadout(yaw, pitch, true, 53.0, 10.0f);
            const GlideTarget g = GotoAltAziTarget(std::stod(r.text1043), std::stod(r.text1044));
            EXPECT_NEAR(g.pitch, pitch, 1e-4);
            EXPECT_NEAR(std::remainder(g.yaw - yaw, 360.0), 0.0, 1e-4) << pitch << " " << yaw;
        }
    }
}

TEST(Goto, RaDecTypedFromTheReadoutLeavesTheViewWhereItIs) {
    for (double lat : {53.0, -33.9, 0.0, 78.2}) {
        for (float sidereal : {0.0f, 95.25f, 301.7f}) {
            SkyState s = PlaceAndTime(lat, -3.7, sidereal);
            for (float pitch : {-85.0f, -30.0f, -5.0f, 10.0f}) {
                for (float yaw : {0.0f, 90.0f, 200.0f, -120.0f}) {
                    s.m_viewPitch = pitch;
                    s.m_viewYaw = yaw;
                    const auto r =
                        astro::UpdateViewCentreReadout(yaw, pitch, false, lat, LocalSiderealRotation(s));
                    const GlideTarget g =
                        GotoRaDecTarget(s, ParseNumber(r.text1043), ParseNumber(r.text1044));
                    EXPECT_NEAR(g.pitch, pitch, 0.01) << lat << " " << sidereal << " " << yaw;
                    EXPECT_NEAR(std::remainder(g.yaw - yaw, 360.0), 0.0, 0.01)
                        << lat << " " << sidereal << " " << pitch << " " << yaw;
                }
            }
        }
    }
}

TEST(Goto, TypedStarCoordinatesCentreTheStar) {
    // Betelgeuse (RA 5h 55m 10.3s, Dec +7 24' 25") from London on a winter evening.
    const double raHours = 5.0 + 55.0 / 60 + 10.3 / 3600;
    const double decDeg = 7.0 + 24.0 / 60 + 25.0 / 3600;
    SkyState s = PlaceAndTime(51.5, -0.1, 170.0f);
    const GlideTarget g = GotoRaDecTarget(s, raHours, decDeg);
    s.m_viewPitch = g.pitch;
    s.m_viewYaw = g.yaw;
    const astro::Vec3 star = astro::EquatorialVector(raHours * 15.0, decDeg);
    EXPECT_LT(AngleBetween(ViewCentreEquatorial(s), star), 0.001);
}

TEST(Goto, NumbersReadAsAtofReadsThem) {
    EXPECT_DOUBLE_EQ(ParseNumber("12.500000 h"), 12.5);
    EXPECT_DOUBLE_EQ(ParseNumber("  -7.25"), -7.25);
    EXPECT_DOUBLE_EQ(ParseNumber("+3e1x"), 30.0);
    EXPECT_DOUBLE_EQ(ParseNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber("--5"), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber("nan"), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber("1e999"), 0.0);
}

TEST(LockOn, KeepsTheViewCentreOnTheSkyPointWhileTheSkyTurns) {
    SkyState s = PlaceAndTime(53.0, 0.0, 40.0f);
    s.m_viewPitch = -42.0f;
    s.m_viewYaw = 130.0f;
    const astro::Vec3 before = ViewCentreEquatorial(s);
    LockOnViewCentre(s);
    EXPECT_TRUE(s.g_lockOn);
    for (float sidereal = 40.0f; sidereal < 100.0f; sidereal += 7.5f) {
        s.g_siderealAngle = sidereal;
        ApplyLockOn(s);
        EXPECT_LT(AngleBetween(ViewCentreEquatorial(s), before), 0.001);
    }
    EXPECT_NE(s.m_viewYaw, 130.0f); // the camera followed the sky
}

TEST(Commands, NorthAndFlips) {
    SkyState s;
    s.m_viewPitch = 12.0f;
    s.m_viewYaw = -700.0f;
    s.g_fov = -21.0f;
    CenterOnNorth(s);
    EXPECT_EQ(s.m_viewYaw, 90.0f);
    EXPECT_EQ(s.m_viewPitch, -30.0f);
    EXPECT_EQ(s.g_fov, -21.0f); // zoom unchanged
    FlipHorizontal(s);
    EXPECT_TRUE(s.g_flipHorizontal);
    FlipHorizontal(s);
    EXPECT_FALSE(s.g_flipHorizontal);
}
