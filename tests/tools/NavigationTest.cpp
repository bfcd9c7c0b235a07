// Camera arithmetic: zoom, glide, nav buttons, drag, Goto and flips over a plain sky state, and
// the frame's re-aim of a locked camera.
#include "planetarium/tools/Navigation.h"
#include "astro/SkyRotation.h"
#include "astro/TextFields.h"
#include "planetarium/SkyChain.h"
#include "planetarium/render/Projection.h"
#include "planetarium/render/RenderScene.h"
#include "planetarium/tools/ViewHandlers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>

using namespace nv;
using namespace nv::tools;

namespace {

double AngleBetween(const astro::Vec3& a, const astro::Vec3& b) {
    const double d = (a.x * b.x + a.y * b.y + a.z * b.z) / (astro::Length(a) * astro::Length(b));
    return std::acos(std::fmax(-1.0, std::fmin(1.0, d))) * astro::g_radToDeg;
}

// A place and sidereal angle, on a date far enough from 2000 that the precession counts.
SkyState PlaceAndTime(double latitude, double longitude, float siderealAngle) {
    SkyState s;
    s.g_latitude = latitude, s.g_longitude = longitude, s.g_siderealAngle = siderealAngle;
    s.g_year = 2090, s.g_month = 6, s.g_day = 1, s.g_hour = 22;
    return s;
}

// Where a sky direction appears on the screen for the state's camera, field and flips, as
// (right, up) in units of the half-height; nothing behind the eye.
std::optional<std::pair<double, double>> OnScreen(const SkyState& s, const astro::Vec3& catalogue) {
    const astro::Vec3 eye = astro::SkyRotation(ChainOf(s), astro::SkyFrame::Equatorial).Apply(catalogue);
    if (eye.z >= 0) return std::nullopt;
    const ProjectionParams p = SkyProjection(s.g_fov, s.g_flipHorizontal, 1000, 800);
    const double f = 1.0 / std::tan(p.fovy * astro::g_degToRad / 2);
    return std::pair{f / p.aspect * eye.x / -eye.z, f * eye.y / -eye.z};
}

} // namespace

TEST(Zoom, StepsOfTwoBetween65And1AndBackFlippedFieldKeepingItsSign) {
    SkyState s;
    FlipVertical(s);
    EXPECT_EQ(s.g_fov, -65.0f);
    for (float sign : {1.0f, -1.0f}) {
        float fov = 65.0f * sign;
        for (int i = 0; i < 32; ++i) {
            ASSERT_EQ(ZoomInFov(fov), fov - 2.0f * sign);
            fov = ZoomInFov(fov);
        }
        EXPECT_EQ(ZoomInFov(fov), sign); // stops at 1
        EXPECT_EQ(ZoomIndicatorValue(fov), 64);
        for (int i = 0; i < 32; ++i) fov = ZoomOutFov(fov);
        EXPECT_EQ(fov, 65.0f * sign);
        EXPECT_EQ(ZoomOutFov(fov), fov);
        EXPECT_EQ(ZoomIndicatorValue(fov), 0);
    }
    FlipVertical(s);
    EXPECT_EQ(s.g_fov, 65.0f);
    FlipHorizontal(s);
    EXPECT_TRUE(s.g_flipHorizontal);
}

TEST(Glide, LeftArrowAtFullZoomOutIsFourFourAndASnapOfTwo) {
    SkyState s; // yaw 90, fov 65
    const GlideTarget t = ArrowKeyTarget(s, ArrowKey::Left);
    EXPECT_NEAR(t.yaw, 100.0f, 1e-5);
    EXPECT_EQ(t.pitch, s.m_viewPitch);
    StartGlideTargets(s, t.pitch, t.yaw);
    for (float yaw : {94.0f, 98.0f}) {
        EXPECT_FALSE(StepGlideAngles(s));
        EXPECT_NEAR(s.m_viewYaw, yaw, 1e-5);
        EXPECT_TRUE(s.g_gliding);
    }
    EXPECT_TRUE(StepGlideAngles(s));
    EXPECT_EQ(s.m_viewYaw, t.yaw);
    EXPECT_FALSE(s.g_gliding);
    // A zoomed-in or flipped view scales the arrow step with the field of view.
    s.g_fov = -13.0f;
    EXPECT_NEAR(ArrowKeyTarget(s, ArrowKey::Up).pitch, -30.0f + 2.0f, 1e-5);
}

TEST(Glide, TurnsTheShortWayRoundAndLandsFromUnderFiveDegrees) {
    float yaw = 350.0f, down = 10.0f;
    EXPECT_FALSE(GlideAxisStep(yaw, 10.0f));
    EXPECT_EQ(yaw, 354.0f); // up through 360, not down through 180
    GlideAxisStep(down, 350.0f);
    EXPECT_EQ(down, 6.0f);
    // Under 5 degrees away, either side and across 0, the axis lands on its target in one step;
    // 5.5 away it turns 4.
    for (auto [from, to] : {std::pair{0.0f, 4.5f}, {0.0f, -4.5f}, {358.0f, 2.5f}, {123.0f, 123.0f}}) {
        float angle = from;
        EXPECT_TRUE(GlideAxisStep(angle, to)) << from << " to " << to;
        EXPECT_EQ(angle, to);
    }
    float far = 0.0f;
    EXPECT_FALSE(GlideAxisStep(far, 5.5f));
    EXPECT_EQ(far, 4.0f);
}

TEST(NavButtons, CompassButtonsAndTenDegreeSteps) {
    SkyState s;
    s.m_viewPitch = -12.0f;
    s.m_viewYaw = 40.0f;
    s.g_fov = 5.0f; // the 10-degree buttons do not depend on the zoom
    const float yaws[] = {90, 270, 0, 180, 40, 40, 50, 30},
                pitches[] = {-30, -30, -30, -30, -22, -2, -12, -12};
    for (int id = 1032; id <= 1039; ++id) {
        EXPECT_EQ(NavButtonTarget(s, id).yaw, yaws[id - 1032]) << id;
        EXPECT_EQ(NavButtonTarget(s, id).pitch, pitches[id - 1032]) << id;
    }
}

TEST(Drag, TurnsWithTheFieldReversalAddsNothingAndAnUnsizedViewGivesNoNaN) {
    SkyState s;
    s.g_viewWidth = 1000;
    s.g_viewHeight = 800;
    s.g_lockOn = s.g_lockIsBody = true;
    BeginDrag(s, 500, 400);
    EXPECT_FALSE(s.g_lockOn || s.g_lockIsBody);
    DragStep(s, 600, 400); // right: dx = -100
    EXPECT_NEAR(s.m_viewYaw, 90.0f - std::atan(-0.1f) * 57.29578f, 1e-4);
    EXPECT_EQ(s.m_viewPitch, -30.0f);
    DragStep(s, 650, 400); // moving on grows the turn from the same anchor
    EXPECT_EQ(s.m_dragStartX, 500);
    const float afterRun = s.m_viewYaw;
    // The pointer turns back: the anchor moves there and the move adds nothing on x.
    DragStep(s, 640, 400);
    EXPECT_EQ(s.m_viewYaw, afterRun);
    EXPECT_EQ(s.m_dragStartX, 640);
    EndDrag(s);
    DragStep(s, 10, 10); // not dragging: nothing
    EXPECT_EQ(s.m_viewYaw, afterRun);

    // The vertical turn of an upward drag: the view tilts down by atan(dy / height).
    SkyState up;
    up.g_viewWidth = 1000, up.g_viewHeight = 800;
    BeginDrag(up, 500, 400);
    DragStep(up, 500, 400); // the pointer seen where the press was
    DragStep(up, 500, 300);
    EXPECT_NEAR(up.m_viewPitch, -30.0f + std::atan(0.125f) * 57.29578f, 1e-4);

    SkyState unsized; // g_viewWidth and g_viewHeight are 0
    BeginDrag(unsized, 5, 5);
    DragStep(unsized, 5, 5);
    DragStep(unsized, 9, 2);
    EXPECT_TRUE(std::isfinite(unsized.m_viewYaw) && std::isfinite(unsized.m_viewPitch));
}

TEST(Drag, TheSkyFollowsTheHandInEveryFlip) {
    // The point at the centre when the button goes down moves the way the pointer moves (right and
    // up here), also in a picture turned over (negative field) or mirrored (horizontal flip).
    for (const float fov : {65.0f, -65.0f, 20.0f})
        for (const bool mirrored : {false, true}) {
            SkyState s = PlaceAndTime(51.5, 0.0, 100.0f);
            s.g_viewWidth = 1000, s.g_viewHeight = 800;
            s.g_fov = fov, s.g_flipHorizontal = mirrored;
            const astro::Vec3 centre = ViewCentreEquatorial(s);
            BeginDrag(s, 500, 400);
            DragStep(s, 500, 400);
            DragStep(s, 560, 350); // 60 pixels right, 50 up
            const auto at = OnScreen(s, centre);
            ASSERT_TRUE(at);
            EXPECT_GT(at->first, 0.02) << "fov " << fov << " mirrored " << mirrored;
            EXPECT_GT(at->second, 0.02) << "fov " << fov << " mirrored " << mirrored;
        }
}

TEST(Goto, TargetsInvertTheReadoutInBothModes) {
    const GlideTarget t = GotoAltAziTarget(45.0, 90.0);
    EXPECT_NEAR(t.pitch, -45.0f, 1e-4);
    EXPECT_NEAR(t.yaw, 0.0f, 1e-4);
    // Typing back either readout leaves the view where it is.
    for (double lat : {53.0, -33.9, 0.0, 78.2})
        for (float sidereal : {0.0f, 95.25f, 301.7f})
            for (float pitch : {-85.0f, -30.0f, -5.0f, 0.0f, 10.0f})
                for (float yaw : {-200.0f, 0.0f, 37.5f, 90.0f, 200.0f}) {
                    SkyState s = PlaceAndTime(lat, -3.7, sidereal);
                    s.m_viewPitch = pitch;
                    s.m_viewYaw = yaw;
                    const auto a = astro::UpdateViewCentreReadout(ChainOf(s), true);
                    const auto e = astro::UpdateViewCentreReadout(ChainOf(s), false);
                    // The edits' texts are read back the way Goto reads them.
                    const auto [alt, az] = ReadoutTexts(a, true);
                    const auto [ra, dec] = ReadoutTexts(e, false);
                    for (const GlideTarget g :
                         {GotoAltAziTarget(nv::text::ToDouble(alt), nv::text::ToDouble(az)),
                          GotoRaDecTarget(s, nv::text::ToDouble(ra), nv::text::ToDouble(dec))}) {
                        EXPECT_NEAR(g.pitch, pitch, 0.01) << lat << " " << sidereal << " " << yaw;
                        EXPECT_NEAR(std::remainder(g.yaw - yaw, 360.0), 0.0, 0.01)
                            << lat << " " << sidereal << " " << yaw;
                    }
                }
}

TEST(Goto, TypedStarCoordinatesCentreTheStar) {
    // Betelgeuse (catalogue RA 5h 55m 10.3s, Dec +7 24' 25") from London on a winter evening of
    // 2090: the star, drawn on the sky of its date, lands at the centre of the view.
    const double raHours = 5.0 + 55.0 / 60 + 10.3 / 3600, decDeg = 7.0 + 24.0 / 60 + 25.0 / 3600;
    SkyState s = PlaceAndTime(51.5, -0.1, 170.0f);
    const GlideTarget g = GotoRaDecTarget(s, raHours, decDeg);
    s.m_viewPitch = g.pitch;
    s.m_viewYaw = g.yaw;
    const astro::Vec3 star = astro::EquatorialVector(raHours * 15.0, decDeg);
    EXPECT_LT(AngleBetween(ViewCentreEquatorial(s), star), 0.001);
    const auto at = OnScreen(s, star);
    ASSERT_TRUE(at);
    EXPECT_NEAR(at->first, 0.0, 1e-4);
    EXPECT_NEAR(at->second, 0.0, 1e-4);
}

TEST(Goto, NumbersReadAsAtofReadsThem) {
    EXPECT_DOUBLE_EQ(nv::text::ToDouble("12.500000 h"), 12.5);
    EXPECT_DOUBLE_EQ(nv::text::ToDouble("  -7.25"), -7.25);
    EXPECT_DOUBLE_EQ(nv::text::ToDouble("+3e1x"), 30.0);
    for (const char* none : {"", "abc", "--5", "nan", "inf", "1e999"})
        EXPECT_DOUBLE_EQ(nv::text::ToDouble(none), 0.0) << none;
    // Options on a command line are whole numbers or nothing.
    EXPECT_EQ(nv::text::ParseWholeNumber("-7.25"), -7.25);
    for (const char* refused : {"", " 1", "1 ", "5x", "+-1", "nan", "1e999"})
        EXPECT_FALSE(nv::text::ParseWholeNumber(refused).has_value()) << refused;
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
        nv::ReaimLockOn(s, astro::g_solarSystem); // as each frame does
        EXPECT_LT(AngleBetween(ViewCentreEquatorial(s), before), 0.001);
    }
    EXPECT_NE(s.m_viewYaw, 130.0f); // the camera followed the sky
}
