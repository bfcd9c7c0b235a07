// Where everything of the orbit viewer is for one instant: the Earth and the planets Mercury to
// Neptune from the shared planet theory, and the asteroids by Keplerian motion from their own
// elements. Pure C++.
#pragma once

#include "astro/AstroMath.h"
#include "orbitviewer/Wanderocs.h"

#include <array>
#include <string_view>

namespace tessmoor {

// The obliquity of the ecliptic at the standard epoch, as the asteroid orientation uses it.
inline constexpr double kCosObliquity = 0.917482062;
inline constexpr double kSinObliquity = 0.397777156;

// The Gaussian mean motion of an orbit of semi-major axis 1 AU, degrees per day.
inline constexpr double kGaussDegreesPerDay = 0.9856076686;

// The shown instant: universal time, seconds kept at 0.
struct ViewerInstant {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The Julian day of the instant, the viewer's form: fraction hour x 0.041666668 + minute x
// 0.00069444446 + second x 1.1574074e-5.
double ViewerJulianDay(const ViewerInstant& t);

// Computes and stores x, y, z of one record for the Julian day jd: Gaussian mean motion
// n = 0.9856076686 / a^1.5 degrees per day, M = M0 + n jd (not reduced), five Newton steps on
// Kepler's equation from E = M, then the orbit turned into the equatorial frame of the standard
// epoch. A record that holds no orbit is left as it is.
void PropagateWanderoc(WanderocRecord& record, double jd);

// Equatorial to ecliptic coordinates of the standard epoch: one turn about x by the obliquity.
astro::Vec3 EclipticFromEquatorial(double x, double y, double z);

// The labelled bodies, in drawing order after the Sun: heliocentric ecliptic positions, AU.
enum ViewerBody {
    kViewerEarth = 0,
    kViewerMercury,
    kViewerVenus,
    kViewerMars,
    kViewerJupiter,
    kViewerSaturn,
    kViewerUranus,
    kViewerNeptune
};
inline constexpr int kViewerBodyCount = 8;
inline constexpr std::array<std::string_view, kViewerBodyCount> kViewerBodyLabels = {
    "Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
// The label at the centre, where the Sun is.
inline constexpr std::string_view kSunLabel = "Sol";

struct ViewerPlanets {
    std::array<astro::Vec3, kViewerBodyCount> body{};
    astro::Vec3 sun{}; // the Sun seen from the Earth (geocentric)
};

// UpdatePlanets: the day number of the instant (as a float) into the shared planet theory; the
// Earth is at minus the Sun's geocentric position. No geocentric shift is applied to the planets.
ViewerPlanets UpdatePlanets(const ViewerInstant& t);

// Propagates every record of the table that holds an orbit for the Julian day jd.
void PropagateAll(WanderocTable& table, double jd);

} // namespace tessmoor
