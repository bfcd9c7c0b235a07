// Camera arithmetic over a plain sky state: glide, drag, Goto and the locked camera's re-aim.
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

using namespace nv;
using namespace nv::tools;

namespace {

// A place and sidereal angle, on a date far enough from 2000 that the precession counts.
SkyState PlaceAndTime(double latitude, double longitude, float siderealAngle) {
    SkyState s;
    s.g_latitude = latitude, s.g_longitude = longitude, s.g_siderealAngle = siderealAngle;
    s.g_year = 2090, s.g_month = 6, s.g_day = 1, s.g_hour = 22;
    s.g_viewWidth = 1000, s.g_viewHeight = 800;
    return s;
}

// Where a catalogue direction appears, as (right, up) in half-heights; nothing behind the eye.
std::optional<std::pair<double, double>> OnScreen(const SkyState& s, const astro::Vec3& catalogue) {
    const astro::Vec3 eye = astro::SkyRotation(ChainOf(s), astro::SkyFrame::Equatorial).Apply(catalogue);
    if (eye.z >= 0) return std::nullopt;
    const ProjectionParams p = SkyProjection(s.g_fov, s.g_flipHorizontal, 1000, 800);
    const double f = 1.0 / std::tan(p.fovy * astro::g_degToRad / 2);
    return std::pair{f / p.aspect * eye.x / -eye.z, f * eye.y / -eye.z};
}

} // namespace

// Faults: a step other than 4 degrees, the long way round through 180, a snap window narrower or
// wider than 5 degrees, an arrow step that ignores the field, 10-degree buttons that scale with it.
TEST(Glide, FourDegreesTheShortWayAndASnapFromUnderFive) {
    const std::tuple<float, float, bool, float> steps[] = {{350, 10, false, 354},   {10, 350, false, 6},
                                                           {0, 4.5f, true, 4.5f},   {0, -4.5f, true, -4.5f},
                                                           {358, 2.5f, true, 2.5f}, {0, 5.5f, false, 4}};
    for (auto [from, to, snapped, after] : steps) {
        float angle = from;
        EXPECT_EQ(GlideAxisStep(angle, to), snapped) << from << " to " << to;
        EXPECT_EQ(angle, after) << from << " to " << to;
    }
    SkyState s;
    s.g_fov = -13.0f;
    EXPECT_NEAR(ArrowKeyTarget(s, ArrowKey::Up).pitch, -28.0f, 1e-5);
    s.m_viewPitch = -12.0f, s.m_viewYaw = 40.0f, s.g_fov = 5.0f;
    EXPECT_TRUE(NavButtonTarget(s, 1036).pitch == -22.0f && NavButtonTarget(s, 1039).yaw == 30.0f);
}

// Faults: a drag turned by the wrong angle, a pointer turning back that turns the view, a NaN
// from an unsized view, and the sky moving against the hand in any flip (up included).
TEST(Drag, TheSkyFollowsTheHandInEveryFlip) {
    SkyState s;
    s.g_viewWidth = 1000, s.g_viewHeight = 800;
    BeginDrag(s, 500, 400);
    DragStep(s, 500, 400); // the pointer seen where the press was
    DragStep(s, 600, 300); // right and up: dx = -100, dy = 100
    EXPECT_NEAR(s.m_viewYaw, 90.0f - std::atan(-0.1f) * 57.29578f, 1e-4);
    EXPECT_NEAR(s.m_viewPitch, -30.0f + std::atan(0.125f) * 57.29578f, 1e-4);
    DragStep(s, 650, 300);
    const float afterRun = s.m_viewYaw;
    DragStep(s, 640, 300); // turning back adds nothing on x
    EndDrag(s);
    DragStep(s, 10, 10); // not dragging: nothing
    EXPECT_EQ(s.m_viewYaw, afterRun);
    SkyState unsized;
    BeginDrag(unsized, 5, 5), DragStep(unsized, 9, 2);
    EXPECT_TRUE(std::isfinite(unsized.m_viewYaw) && std::isfinite(unsized.m_viewPitch));

    // The point at the centre when the button goes down moves the way the pointer moves.
    for (const float fov : {65.0f, -65.0f, 20.0f})
        for (const bool mirrored : {false, true}) {
            SkyState v = PlaceAndTime(51.5, 0.0, 100.0f);
            v.g_fov = fov, v.g_flipHorizontal = mirrored;
            const astro::Vec3 centre = ViewCentreEquatorial(v);
            BeginDrag(v, 500, 400);
            DragStep(v, 500, 400);
            DragStep(v, 560, 350); // 60 pixels right, 50 up
            const auto at = OnScreen(v, centre);
            ASSERT_TRUE(at);
            EXPECT_TRUE(at->first > 0.02 && at->second > 0.02) << "fov " << fov << " mirrored " << mirrored;
        }
}

// Faults: a Goto that does not invert the readout it reads (either mode, any place or time), and
// typed catalogue coordinates that miss the star drawn on the sky of the date.
TEST(Goto, TypedReadoutsAndStarCoordinatesCentreTheirPoint) {
    for (double lat : {53.0, -33.9, 0.0, 78.2})
        for (float sidereal : {0.0f, 95.25f, 301.7f})
            for (float pitch : {-85.0f, -30.0f, 0.0f, 10.0f})
                for (float yaw : {-200.0f, 0.0f, 37.5f, 200.0f}) {
                    SkyState s = PlaceAndTime(lat, -3.7, sidereal);
                    s.m_viewPitch = pitch, s.m_viewYaw = yaw;
                    const auto [alt, az] =
                        ReadoutTexts(astro::UpdateViewCentreReadout(ChainOf(s), true), true);
                    const auto [ra, dec] =
                        ReadoutTexts(astro::UpdateViewCentreReadout(ChainOf(s), false), false);
                    for (const GlideTarget g :
                         {GotoAltAziTarget(nv::text::ToDouble(alt), nv::text::ToDouble(az)),
                          GotoRaDecTarget(s, nv::text::ToDouble(ra), nv::text::ToDouble(dec))}) {
                        EXPECT_NEAR(g.pitch, pitch, 0.01) << lat << " " << sidereal << " " << yaw;
                        EXPECT_NEAR(std::remainder(g.yaw - yaw, 360.0), 0.0, 0.01) << lat << " " << yaw;
                    }
                }
    // Betelgeuse (catalogue RA 5h 55m 10.3s, Dec +7 24' 25") from London in 2090.
    const double raHours = 5.0 + 55.0 / 60 + 10.3 / 3600, decDeg = 7.0 + 24.0 / 60 + 25.0 / 3600;
    SkyState s = PlaceAndTime(51.5, -0.1, 170.0f);
    const GlideTarget g = GotoRaDecTarget(s, raHours, decDeg);
    s.m_viewPitch = g.pitch, s.m_viewYaw = g.yaw;
    const auto at = OnScreen(s, astro::EquatorialVector(raHours * 15.0, decDeg));
    ASSERT_TRUE(at);
    EXPECT_TRUE(std::hypot(at->first, at->second) < 1e-4) << at->first << " " << at->second;
}

// Fault: the frame's re-aim losing the locked sky point while the sky turns.
TEST(LockOn, KeepsTheViewCentreOnTheSkyPointWhileTheSkyTurns) {
    SkyState s = PlaceAndTime(53.0, 0.0, 40.0f);
    s.m_viewPitch = -42.0f, s.m_viewYaw = 130.0f;
    const astro::Vec3 before = ViewCentreEquatorial(s);
    LockOnViewCentre(s);
    for (float sidereal = 47.5f; sidereal < 100.0f; sidereal += 7.5f) {
        s.g_siderealAngle = sidereal;
        nv::ReaimLockOn(s, astro::g_solarSystem); // as each frame does
        const auto at = OnScreen(s, before);
        EXPECT_TRUE(at && std::hypot(at->first, at->second) < 3e-5) << sidereal;
    }
    EXPECT_NE(s.m_viewYaw, 130.0f);
}
