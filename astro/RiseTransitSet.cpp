#include "astro/RiseTransitSet.h"

#include "astro/AstroMath.h"
#include "astro/Precession.h"
#include "astro/SkyRotation.h"

#include <cmath>

namespace astro {
namespace {

constexpr double kSiderealPerSolar = 1.00273791;

// m reduced to [0, 1), turned from sidereal to solar time, in hours.
double ToLocalHours(double m) {
    double f = m - std::floor(m);
    if (!(f >= 0.0 && f < 1.0)) f = 0.0;
    return f / kSiderealPerSolar * 24.0;
}

// Greenwich mean sidereal time at the UT instant of the clock's local midnight.
double MidnightSiderealAngle(const LocalClock& clock, const ObserverPlace& place) {
    const double jd0 =
        JulianDay(clock.year, clock.month, clock.day, 0, 0) - static_cast<double>(place.gmtOffset) / 24.0;
    return MeanSiderealAngleAtJd(jd0);
}

// A catalogue direction on the equator of the clock's date: right ascension and declination.
void OfDate(const Vec3& catalogue, const LocalClock& clock, const ObserverPlace& place, double& raDeg,
            double& decDeg) {
    const Vec3 v = Rotated(PrecessionRotation(UtJulianDay(clock, place.gmtOffset)), catalogue);
    RaDecFromVector(v, raDeg, decDeg);
}

float TransitOfDate(double raDeg, const LocalClock& clock, const ObserverPlace& place) {
    const double theta0 = MidnightSiderealAngle(clock, place);
    return static_cast<float>(ToLocalHours((raDeg - place.longitude - theta0) / 360.0));
}

} // namespace

RiseTransitSetTimes RiseTransitSet(double raDeg, double decDeg, const LocalClock& clock,
                                   const ObserverPlace& place) {
    double ra = 0, dec = 0;
    OfDate(EquatorialVector(raDeg, decDeg), clock, place, ra, dec);
    return RiseTransitSetOfDate(ra, dec, clock, place);
}

RiseTransitSetTimes RiseTransitSetOfDate(double raDeg, double decDeg, const LocalClock& clock,
                                         const ObserverPlace& place) {
    RiseTransitSetTimes t;
    const double theta0 = MidnightSiderealAngle(clock, place);
    const double m0 = (raDeg - place.longitude - theta0) / 360.0;
    t.transit = ToLocalHours(m0);

    const double cosH0 = (SinD(kStandardAltitude) - SinD(place.latitude) * SinD(decDeg)) /
                         (CosD(place.latitude) * CosD(decDeg));
    if (std::isnan(cosH0) || cosH0 > 1.0) {
        t.state = RtsState::NeverRises;
        return t;
    }
    if (cosH0 < -1.0) {
        t.state = RtsState::NeverSets;
        return t;
    }
    const double h0 = std::acos(cosH0) * g_radToDeg;
    t.rise = ToLocalHours(m0 - h0 / 360.0);
    t.set = ToLocalHours(m0 + h0 / 360.0);
    return t;
}

float MessierTransitTime(double raDeg, double decDeg, const LocalClock& clock, const ObserverPlace& place) {
    double ra = 0, dec = 0;
    OfDate(EquatorialVector(raDeg, decDeg), clock, place, ra, dec);
    return TransitOfDate(ra, clock, place);
}

float MessierTransitTime(float x, float y, float z, const LocalClock& clock, const ObserverPlace& place) {
    double ra = 0, dec = 0;
    OfDate({x, y, z}, clock, place, ra, dec);
    return TransitOfDate(ra, clock, place);
}

double MarathonHour(int hour, int minute, int second) {
    return hour + minute * static_cast<double>(0.016666668f) + second * static_cast<double>(0.00027777778f);
}

std::vector<int> MessiersTransitingBetween(const std::array<float, 110>& transitTimes, double fromHour,
                                           double toHour) {
    std::vector<int> numbers;
    const bool acrossMidnight = toHour < fromHour;
    for (int n = 1; n <= 110; ++n) {
        const double t = transitTimes[n - 1];
        const bool inside = acrossMidnight ? (t > fromHour || t < toHour) : (fromHour < t && t < toHour);
        if (inside) numbers.push_back(n);
    }
    return numbers;
}

} // namespace astro
