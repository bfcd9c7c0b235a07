// Rise, transit and set of a fixed direction for the local calendar day of the sky clock, and
// the Messier objects that transit within a window of the night. Directions are the catalogue's
// (J2000); they are carried to the equator of the clock's date first (precession), so the times
// are those of the sky as it stands that day.
//
// theta0 is the Greenwich mean sidereal time at the UT instant of local midnight; with
// L = -longitude (west positive), m0 = (a + L - theta0) / 360, m1 = m0 - H0 / 360,
// m2 = m0 + H0 / 360, each reduced to [0, 1) and divided by 1.00273791 (sidereal to solar time);
// times 24 they are local clock hours in [0, 24). cos H0 = (sin h0 - sin phi sin d) /
// (cos phi cos d) with the standard altitude h0 = -0.5667 degrees.
#pragma once

#include "astro/SkyClock.h"

#include <array>
#include <vector>

namespace astro {

inline constexpr double kStandardAltitude = -0.5667;

enum class RtsState {
    RisesAndSets, // rise, transit and set are all valid
    NeverRises,   // always below the standard altitude (cos H0 > 1): only transit is valid
    NeverSets,    // always above it (cos H0 < -1): only transit is valid
};

struct RiseTransitSetTimes {
    double rise = -1, transit = 0, set = -1; // local clock hours in [0, 24); rise/set -1 when invalid
    RtsState state = RtsState::RisesAndSets;
};

// Catalogue a, d in degrees (a need not be reduced).
RiseTransitSetTimes RiseTransitSet(double raDeg, double decDeg, const LocalClock& clock,
                                   const ObserverPlace& place);
// The same for right ascension and declination already of the clock's date (a body's).
RiseTransitSetTimes RiseTransitSetOfDate(double raDeg, double decDeg, const LocalClock& clock,
                                         const ObserverPlace& place);

// The transit alone, as a float, for a catalogue right ascension and declination in degrees.
float MessierTransitTime(double raDeg, double decDeg, const LocalClock& clock, const ObserverPlace& place);
// The same for a Messier centre vector (catalogue axes).
float MessierTransitTime(float x, float y, float z, const LocalClock& clock, const ObserverPlace& place);

// A window limit in decimal hours: hour + minute * 0.016666668 + second * 0.00027777778.
double MarathonHour(int hour, int minute, int second);

// The Messier numbers whose transit time lies strictly inside the window from fromHour to toHour,
// in number order. A window whose end is earlier than its start runs across midnight: it holds
// the times after its start and those before its end. Equal limits hold nothing.
std::vector<int> MessiersTransitingBetween(const std::array<float, 110>& transitTimes, double fromHour,
                                           double toHour);

} // namespace astro
