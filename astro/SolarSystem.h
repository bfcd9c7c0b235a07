// Geocentric positions of the Sun, the Moon, the planets Mercury to Neptune and Pluto (ecliptic
// of date, rectangular, AU) from low-precision mean elements counted from 2000 January 0.0, and
// the offsets of the moons of Jupiter and Saturn. All bodies are placed for the UT instant of the
// sky clock (local clock minus the zone).
#pragma once

#include "astro/AstroMath.h"

#include <array>
#include <string_view>

namespace astro {

// Record order of the bodies.
enum BodyIndex { kSun = 0, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto };
inline constexpr int kBodyCount = 10;

inline constexpr std::array<std::string_view, 4> kJupiterMoonNames = {"IO", "Europa", "Ganymeade",
                                                                      "Callisto"};
inline constexpr std::array<std::string_view, 8> kSaturnMoonNames = {
    "Mimas", "Enceladus", "Tethys", "Dione", "Rhea", "Titan", "Hyperion", "Iapetus"};

// Kilometres in one astronomical unit (IAU 2012).
inline constexpr double kKmPerAu = 149597870.7;
// Equatorial radii in AU, record order (IAU working group values: the Sun 695700 km, the Moon
// 1738.1, Mercury 2440.53, Venus 6051.8, Mars 3396.19, Jupiter 71492, Saturn 60268, Uranus 25559,
// Neptune 24764, Pluto 1188.3): the bodies are drawn as spheres of these radii.
inline constexpr std::array<double, kBodyCount> kBodySizes = {
    695700.0 / kKmPerAu, 1738.1 / kKmPerAu,  2440.53 / kKmPerAu, 6051.8 / kKmPerAu,  3396.19 / kKmPerAu,
    71492.0 / kKmPerAu,  60268.0 / kKmPerAu, 25559.0 / kKmPerAu, 24764.0 / kKmPerAu, 1188.3 / kKmPerAu};

// The Earth's equatorial radius in AU: the Moon's theory counts its distance in these.
inline constexpr double kEarthRadiusAu = 6378.14 / kKmPerAu;
// The Moon's mean distance (the semi-major axis of its theory): 60.2666 Earth radii.
inline constexpr double kMoonMeanDistance = 60.2666 * kEarthRadiusAu;

struct BodyPosition {
    double x = 0, y = 0, z = 0; // geocentric ecliptic of date, AU
    double size = 0;            // equatorial radius, AU
    double magnitude = 0;       // visual magnitude as seen from the Earth
};

// Jupiter's moons: apparent offsets from the planet in units of 1000 Jupiter radii.
struct JupiterMoonPosition {
    double X = 0, Y = 0;
};
// Saturn's moons: rectangular offsets from the planet in units of 1000 Saturn radii.
struct SaturnMoonPosition {
    double X = 0, Y = 0, Z = 0;
};

// Mean elements of one planet at day number d.
struct OrbitalElements {
    double N = 0, i = 0, w = 0, a = 0, e = 0, M = 0;
};
// Planets Mercury (0) to Neptune (6).
OrbitalElements PlanetElements(int planet, float d);
// Heliocentric ecliptic position from the elements (one Newton step on Kepler's equation).
Vec3 PositionFromElements(const OrbitalElements& el);
// A planet's heliocentric position at d: the elements' position with, for Jupiter, Saturn and
// Uranus, the largest terms of their mutual perturbations in longitude and latitude.
Vec3 PlanetPosition(int planet, float d);
// The Sun's mean anomaly at day number d, degrees in [0, 360) (the Moon's perturbations use it too).
double SunMeanAnomaly(float d);
// The Sun's geocentric position at day number d; trueLongitude receives its longitude.
Vec3 SunPosition(float d, double* trueLongitude = nullptr);
// The Moon's geocentric position at d (needs the Sun's true longitude of the same d), at the
// perturbed distance of its theory.
Vec3 MoonPosition(float d, double sunTrueLongitude);
// Pluto's heliocentric position at d.
Vec3 PlutoPosition(float d);

class CSolarSystem {
public:
    // Computes every body and moon for the UT instant of the local clock reading
    // (local clock minus gmtOffset hours). Returns the day number, as a float.
    float UpdateSolarSystem(int year, int month, int day, int hour, int minute, float gmtOffset);
    // The same for a UT Julian day.
    float UpdateAtJulianDay(double jdUt);

    // Galilean moons and Saturn's moons for a Julian day (UT), or for UT calendar fields (the
    // moon theories' Julian-day form).
    void UpdateJupiterMoons(double jd);
    void UpdateSaturnMoons(double jd);
    void UpdateJupiterMoons(int year, int month, int day, int hour, int minute);
    void UpdateSaturnMoons(int year, int month, int day, int hour, int minute);

    const BodyPosition& Body(int index) const { return m_bodies[index]; }

    std::array<BodyPosition, kBodyCount> m_bodies{};
    double m_sunLongitude = 0; // the Sun's true ecliptic longitude, degrees in [0, 360)
    std::array<JupiterMoonPosition, 4> m_jupiterMoons{};
    std::array<SaturnMoonPosition, 8> m_saturnMoons{};
    float m_dayNumber = 0;

private:
    void Compute(float d, double jdMoons);
};

// The program-wide calculator.
extern CSolarSystem g_solarSystem;

// Geocentric ecliptic longitude and latitude (degrees) of a body record.
void EclipticLonLat(const BodyPosition& b, double& lonDeg, double& latDeg);

// Visual magnitude of a body (record index) at `geocentric` (AU) with the Sun at `sun` (the Sun's
// geocentric position): the Sun -26.74 + 5 log10 R; the Moon +0.21 + 5 log10(r D) + 0.026 i +
// 4e-9 i^4 (i the phase angle in degrees); the planets and Pluto with the Astronomical Almanac's
// formulas in r (from the Sun) D (from the Earth) and i (Saturn's ring term left out).
double VisualMagnitude(int body, const Vec3& geocentric, const Vec3& sun);

} // namespace astro
