#include "astro/RiseTransitSet.h"

#include "astro/AstroMath.h"
#include "astro/AutomationDate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

} // namespace

RiseTransitSetTimes RiseTransitSet(double raDeg, double decDeg, const LocalClock& clock,
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
    const double h0 = std::acos(cosH0) * kRadToDeg;
    t.rise = ToLocalHours(m0 - h0 / 360.0);
    t.set = ToLocalHours(m0 + h0 / 360.0);
    return t;
}

float MessierTransitTime(double raDeg, const LocalClock& clock, const ObserverPlace& place) {
    const double theta0 = MidnightSiderealAngle(clock, place);
    return static_cast<float>(ToLocalHours((raDeg - place.longitude - theta0) / 360.0));
}

float MessierTransitTime(float x, float y, float z, const LocalClock& clock, const ObserverPlace& place) {
    (void)y;
    const float ra = static_cast<float>(-Atan2D(x, z));
    return MessierTransitTime(static_cast<double>(ra), clock, place);
}

double MarathonHour(int hour, int minute, int second) {
    return hour + minute * static_cast<double>(0.016666668f) + second * static_cast<double>(0.00027777778f);
}

std::vector<std::string> MarathonLines(const std::array<float, 110>& transitTimes, double fromDate,
                                       double toDate) {
    std::vector<std::string> lines;
    char buf[128];
    const SpanParts p = SpanComponents(SpanBetween(toDate, fromDate));
    std::snprintf(buf, sizeof buf, "Viewing time = %d Hours %d Min %d Seconds ", p.hours, p.minutes,
                  p.seconds);
    lines.emplace_back(buf);

    DateTimeFields f, t;
    if (!FieldsFromAutomationDate(fromDate, f) || !FieldsFromAutomationDate(toDate, t)) return lines;
    const double from = MarathonHour(f.hour, f.minute, f.second);
    const double to = MarathonHour(t.hour, t.minute, t.second);
    if (!(to > from)) return lines;
    for (int n = 1; n <= 110; ++n) {
        const double tt = transitTimes[n - 1];
        if (from < tt && tt < to) {
            std::snprintf(buf, sizeof buf, "M%d Transits at %f O'clock", n, tt);
            lines.emplace_back(buf);
        }
    }
    return lines;
}

int MarathonChoice(std::string_view line) {
    if (line.size() < 2) return 0;
    const std::string digits(line.substr(1, 3));
    return std::atoi(digits.c_str());
}

} // namespace astro
