// The rotation chain's inputs for a sky state: the camera, the place, the sidereal angle and the
// precession from the catalogue's equator to the sky clock's date. The drawing and the tools both
// take them from here, so a direction is drawn, aimed at and read back the same way everywhere.
#pragma once

#include "astro/Precession.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"

namespace nv {

// The catalogue-to-date rotation for the state's clock (UT = local clock - zone). A state whose
// clock was never set (month 0) stays on the catalogue's equator.
inline astro::GlRotation SkyPrecession(const SkyState& s) {
    if (s.g_month < 1 || s.g_month > 12) return {0.0f, 0.0f, 1.0f, 0.0f};
    const astro::LocalClock clock{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute};
    return astro::PrecessionRotation(astro::UtJulianDay(clock, s.g_gmtOffset));
}

// The chain's inputs for the state's camera, place, sidereal angle and date.
inline astro::ChainInputs ChainOf(const SkyState& s) {
    astro::ChainInputs in;
    in.viewPitch = s.m_viewPitch;
    in.viewYaw = s.m_viewYaw;
    in.latitude = s.g_latitude;
    in.localSiderealRotation = astro::LocalSiderealRotation(s.g_siderealAngle, s.g_longitude);
    in.precession = SkyPrecession(s);
    return in;
}

} // namespace nv
