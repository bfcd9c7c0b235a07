// Orbit propagation and the planets: the worked cases of circular and ecliptic orbits, 50 real
// asteroids at five instants against PyEphem's two-body propagation of the same elements, the
// asteroid belt in the planets' frame, and the Earth opposite the Sun.
#include "orbitviewer/Orbits.h"

#include "astro/Fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace tessmoor;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kCosEps = 0.917482062, kSinEps = 0.397777156; // the obliquity the orbits are turned by

WanderocRecord Orbit(double a, double e, double i, double node, double peri, double m0) {
    WanderocRecord r;
    r.a = a, r.e = e, r.i = i, r.node = node, r.peri = peri, r.M0 = m0;
    return r;
}

double Deg(double radians) {
    return radians * 180.0 / kPi;
}

// Ecliptic longitude and latitude (degrees) of a position.
double Longitude(const astro::Vec3& v) {
    return std::fmod(Deg(std::atan2(v.y, v.x)) + 360.0, 360.0);
}
double Latitude(const astro::Vec3& v) {
    return Deg(std::asin(v.z / astro::Length(v)));
}

} // namespace

TEST(Propagation, CircularOrbitsAndOrbitsInTheEcliptic) {
    // e = 0, i = node = 0: r = a and the angle from the x axis is omega + M; the equatorial frame
    // sees the ecliptic tilted by the obliquity.
    WanderocRecord r = Orbit(1.0, 0.0, 0.0, 0.0, 0.0, 30.0);
    PropagateWanderoc(r, 0.0);
    EXPECT_NEAR(r.x, std::cos(kPi / 6), 1e-12);
    EXPECT_NEAR(r.y, kCosEps * 0.5, 1e-12);
    EXPECT_NEAR(r.z, kSinEps * 0.5, 1e-12);

    // After 100 days a 4 AU circle has moved on by n x 100 = 0.9856076686 / 8 x 100 degrees.
    WanderocRecord far = Orbit(4.0, 0.0, 0.0, 0.0, 40.0, 50.0);
    PropagateWanderoc(far, 100.0);
    const astro::Vec3 ecl = EclipticFromEquatorial(far.x, far.y, far.z);
    EXPECT_NEAR(astro::Length(ecl), 4.0, 1e-9); // the two factors hold 1 to 1e-10
    EXPECT_NEAR(ecl.z, 0.0, 1e-8);
    EXPECT_NEAR(Longitude(ecl), 90.0 + 0.9856076686 / 8.0 * 100.0, 1e-9);

    // An eccentric orbit in the ecliptic stays there and keeps its focus distances.
    WanderocRecord ecc = Orbit(2.0, 0.5, 0.0, 0.0, 0.0, 0.0);
    PropagateWanderoc(ecc, 0.0); // perihelion
    EXPECT_NEAR(astro::Length({ecc.x, ecc.y, ecc.z}), 1.0, 1e-12);
    PropagateWanderoc(ecc, 180.0 / (0.9856076686 / std::pow(2.0, 1.5))); // half a period: aphelion
    EXPECT_NEAR(astro::Length({ecc.x, ecc.y, ecc.z}), 3.0, 1e-9);
    EXPECT_NEAR(EclipticFromEquatorial(ecc.x, ecc.y, ecc.z).z, 0.0, 1e-8);

    // A record without an orbit keeps no position.
    WanderocRecord none;
    PropagateWanderoc(none, 2451545.0);
    EXPECT_EQ(none.x + none.y + none.z, 0.0);
}

TEST(Propagation, FiftyAsteroidsAgreeWithPyEphem) {
    const astrotest::Table t = astrotest::LoadFixture("ephem_positions.csv", "orbitviewer");
    ASSERT_EQ(t.rows.size(), 250u);
    double worst = 0.0;
    for (size_t k = 0; k < t.rows.size(); ++k) {
        WanderocRecord r = Orbit(t.Num(k, "a"), t.Num(k, "e"), t.Num(k, "i"), t.Num(k, "node"),
                                 t.Num(k, "peri"), t.Num(k, "M0"));
        const ViewerInstant when{t.Int(k, "year"), t.Int(k, "month"),  t.Int(k, "day"),
                                 t.Int(k, "hour"), t.Int(k, "minute"), 0};
        PropagateWanderoc(r, ViewerJulianDay(when));
        const astro::Vec3 p = EclipticFromEquatorial(r.x, r.y, r.z);
        const double miss = std::hypot(p.x - t.Num(k, "x"), p.y - t.Num(k, "y"), p.z - t.Num(k, "z"));
        worst = std::max(worst, miss);
        EXPECT_LT(miss, 1e-6) << "asteroid " << t.Int(k, "number") << " row " << k;
    }
    std::printf("worst distance from PyEphem: %.2e AU\n", worst);
}

TEST(Propagation, TheBeltLiesAlongThePlanetsOrbits) {
    // Ceres (i 10.6) and Vesta (i 7.1) from their published elements: turned into the ecliptic
    // frame they stay within 11 degrees of it; seen in the equatorial frame they would not.
    WanderocRecord bodies[] = {Orbit(2.766619044655007, .07863575691875528, 10.58679512153367,
                                     80.2664361119415, 73.53162522557164, 172.90178254945204),
                               Orbit(2.361987199696643, .08840189374260063, 7.140782834645754,
                                     103.800809741353, 151.2577798334132, 0.0)};
    for (WanderocRecord& r : bodies) {
        double widestEquatorial = 0.0;
        for (int month = 0; month < 12 * 20; ++month) {
            PropagateWanderoc(r, 2447892.5 + month * 30.4375);
            EXPECT_LT(std::fabs(Latitude(EclipticFromEquatorial(r.x, r.y, r.z))), 11.0);
            widestEquatorial = std::max(widestEquatorial, std::fabs(Latitude({r.x, r.y, r.z})));
        }
        EXPECT_GT(widestEquatorial, 15.0);
    }
}

TEST(Planets, HeliocentricWithTheEarthOppositeTheSun) {
    // The March equinox of 2024 (March 20, 03:06 UT): the Sun at longitude 0, so the Earth at 180.
    const ViewerPlanets equinox = UpdatePlanets({2024, 3, 20, 3, 6, 0});
    EXPECT_NEAR(Longitude(equinox.body[kViewerEarth]), 180.0, 0.05);
    EXPECT_NEAR(astro::Length(equinox.body[kViewerEarth]), 0.996, 0.002);
    // September 22, 2024, 12:44 UT: the Earth at longitude 0.
    EXPECT_NEAR(std::remainder(Longitude(UpdatePlanets({2024, 9, 22, 12, 44, 0}).body[kViewerEarth]), 360.0),
                0.0, 0.05);

    // The planets keep their distances from the Sun (perihelion to aphelion) at any date, before
    // 2000 too: they are not shifted to the Earth.
    const double range[][2] = {{0.307, 0.467}, {0.718, 0.729}, {1.381, 1.666}, {4.95, 5.46},
                               {9.0, 10.1},    {18.2, 20.1},   {29.7, 30.4}};
    for (int year = 1950; year <= 2050; year += 7) {
        const ViewerPlanets p = UpdatePlanets({year, 5, 17, 22, 0, 0});
        for (int planet = 0; planet < 7; ++planet) {
            const double r = astro::Length(p.body[kViewerMercury + planet]);
            EXPECT_GT(r, range[planet][0]) << kViewerBodyLabels[kViewerMercury + planet] << " " << year;
            EXPECT_LT(r, range[planet][1]) << kViewerBodyLabels[kViewerMercury + planet] << " " << year;
        }
    }
}

TEST(Planets, ViewerJulianDay) {
    EXPECT_NEAR(ViewerJulianDay({2000, 1, 1, 12, 0, 0}), 2451545.0, 1e-7); // 12 x 0.041666668
    EXPECT_NEAR(ViewerJulianDay({1990, 3, 15, 6, 30, 0}), 2447965.7708333, 1e-6);
    EXPECT_NEAR(ViewerJulianDay({1600, 2, 29, 18, 0, 0}), 2305507.25, 1e-6); // Gregorian leap day
}
