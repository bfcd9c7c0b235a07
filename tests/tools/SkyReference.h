// Textbook references: sidereal time, precession, altitude and azimuth, the camera's centre.
#pragma once

#include <cmath>

namespace nvtest {

// Greenwich mean sidereal time (IAU 1982) at a UT Julian day, degrees in [0, 360).
inline double Gmst(double jdUt) {
    const double d = jdUt - 2451545.0, t = d / 36525.0;
    const double g = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - t * t * t / 38710000.0;
    return g - 360.0 * std::floor(g / 360.0);
}

// The UT Julian day of a local clock reading (year .. minute) in a zone (local time - UT, hours).
inline double JulianDayUt(int y, int mo, int d, int h, int mi, double zone) {
    const int a = (14 - mo) / 12, yy = y + 4800 - a, m = mo + 12 * a - 3;
    const long jdn = d + (153 * m + 2) / 5 + 365L * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
    return jdn - 0.5 + (h + mi / 60.0 - zone) / 24.0;
}

struct RaDecDeg {
    double ra, dec;
};

// The IAU 1976 precession angles zeta, z and theta (Lieske) from J2000 to a Julian day, radians.
struct PrecessionAngles {
    double zeta, z, theta;
};
inline PrecessionAngles PrecessionAnglesAt(double jd) {
    const double t = (jd - 2451545.0) / 36525.0, arcsec = M_PI / 180.0 / 3600.0;
    return {(2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * arcsec,
            (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * arcsec,
            (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * arcsec};
}

// (RA, Dec) turned by zeta about the pole, theta about the new y axis, then z about the new pole.
inline RaDecDeg TurnedBy(double raDeg, double decDeg, const PrecessionAngles& p) {
    const double r = M_PI / 180.0;
    const double a0 = raDeg * r + p.zeta, d0 = decDeg * r;
    const double A = std::cos(d0) * std::sin(a0);
    const double B = std::cos(p.theta) * std::cos(d0) * std::cos(a0) - std::sin(p.theta) * std::sin(d0);
    const double C = std::sin(p.theta) * std::cos(d0) * std::cos(a0) + std::cos(p.theta) * std::sin(d0);
    return {(std::atan2(A, B) + p.z) / r, std::asin(std::fmax(-1.0, std::fmin(1.0, C))) / r};
}

// A J2000 (RA, Dec) carried to the mean equator and equinox of a Julian day, degrees, and back.
inline RaDecDeg PrecessedFromJ2000(double raDeg, double decDeg, double jd) {
    return TurnedBy(raDeg, decDeg, PrecessionAnglesAt(jd));
}
inline RaDecDeg J2000FromPrecessed(double raDeg, double decDeg, double jd) {
    const PrecessionAngles p = PrecessionAnglesAt(jd);
    return TurnedBy(raDeg, decDeg, {-p.z, -p.zeta, -p.theta});
}

struct AltAzi {
    double alt, az;
};

// Altitude and azimuth (from north through east) of a J2000 (RA, Dec), place and UT Julian day.
inline AltAzi AltAzOf(double raDeg, double decDeg, double jdUt, double lat, double lon) {
    const double r = M_PI / 180.0;
    const RaDecDeg ofDate = PrecessedFromJ2000(raDeg, decDeg, jdUt);
    const double h = (Gmst(jdUt) + lon - ofDate.ra) * r, d = ofDate.dec * r, p = lat * r;
    const double alt = std::asin(std::sin(p) * std::sin(d) + std::cos(p) * std::cos(d) * std::cos(h));
    const double az = std::atan2(-std::cos(d) * std::sin(h),
                                 std::sin(d) * std::cos(p) - std::cos(d) * std::sin(p) * std::cos(h));
    return {alt / r, az / r};
}

// Degrees between the camera's centre (pitch = -altitude, yaw 90 = north) and an altitude and azimuth.
inline double CentreApart(float pitch, float yaw, const AltAzi& a) {
    const double r = M_PI / 180.0;
    const double alt1 = -pitch * r, az1 = (90.0 - yaw) * r, alt2 = a.alt * r, az2 = a.az * r;
    const double c = std::sin(alt1) * std::sin(alt2) + std::cos(alt1) * std::cos(alt2) * std::cos(az1 - az2);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / r;
}

} // namespace nvtest
