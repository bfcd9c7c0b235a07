#include "orbitviewer/Orbits.h"

#include "astro/SkyClock.h"
#include "astro/SolarSystem.h"

#include <cmath>

namespace tessmoor {

namespace {

// Degree conversions worked out from pi once.
const double kPi = std::acos(-1.0);
const double kRad = kPi / 180.0;
const double kDeg = 180.0 / kPi;

double Angle360(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

// The orientation with the obliquity of the standard epoch: F = cos N, G = sin N cos eps,
// H = sin N sin eps, P = -sin N cos i, Q = cos N cos i cos eps - sin i sin eps,
// R = cos N cos i sin eps + sin i cos eps; A = atan2 of (F, P), (G, Q), (H, R) in [0, 360) and
// k their lengths. Worked out again only when the node or the inclination changed.
const WanderocRecord::Orientation& Orientation(WanderocRecord& r) {
    WanderocRecord::Orientation& o = r.orientation;
    if (o.node == r.node && o.i == r.i) return o;
    const double sinNode = std::sin(r.node * kRad), cosNode = std::cos(r.node * kRad);
    const double sinI = std::sin(r.i * kRad), cosI = std::cos(r.i * kRad);
    const double F = cosNode, G = sinNode * kCosObliquity, H = sinNode * kSinObliquity;
    const double P = -sinNode * cosI;
    const double Q = cosNode * cosI * kCosObliquity - sinI * kSinObliquity;
    const double R = cosNode * cosI * kSinObliquity + sinI * kCosObliquity;
    o.A[0] = Angle360(std::atan2(F, P) * kDeg);
    o.A[1] = Angle360(std::atan2(G, Q) * kDeg);
    o.A[2] = Angle360(std::atan2(H, R) * kDeg);
    o.k[0] = std::sqrt(F * F + P * P);
    o.k[1] = std::sqrt(G * G + Q * Q);
    o.k[2] = std::sqrt(H * H + R * R);
    o.node = r.node;
    o.i = r.i;
    return o;
}

} // namespace

double ViewerJulianDay(const ViewerInstant& t) {
    return astro::JulianDay(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

void PropagateWanderoc(WanderocRecord& r, double jd) {
    if (!r.HoldsData()) return;
    const double n = kGaussDegreesPerDay / (r.a * std::sqrt(r.a));
    const double M = r.M0 + n * jd;
    // E - e(deg) sin E = M in degrees, five Newton steps from E = M.
    const double eDeg = r.e * kDeg;
    double E = M;
    for (int step = 0; step < 5; ++step)
        E += (M + eDeg * std::sin(E * kRad) - E) / (1.0 - r.e * std::cos(E * kRad));
    const double sinE = std::sin(E * kRad), cosE = std::cos(E * kRad);
    const double nu = std::atan2(std::sqrt(1.0 - r.e * r.e) * sinE, cosE - r.e) * kDeg;
    const double radius = r.a * (1.0 - r.e * cosE);

    const WanderocRecord::Orientation& o = Orientation(r);
    const double u = r.peri + nu;
    r.x = radius * o.k[0] * std::sin((o.A[0] + u) * kRad);
    r.y = radius * o.k[1] * std::sin((o.A[1] + u) * kRad);
    r.z = radius * o.k[2] * std::sin((o.A[2] + u) * kRad);
}

astro::Vec3 EclipticFromEquatorial(double x, double y, double z) {
    return {x, kCosObliquity * y + kSinObliquity * z, -kSinObliquity * y + kCosObliquity * z};
}

ViewerPlanets UpdatePlanets(const ViewerInstant& t) {
    const float d = static_cast<float>(astro::DayNumber(t.year, t.month, t.day, t.hour, t.minute));
    ViewerPlanets p;
    for (int planet = 0; planet < 7; ++planet)
        p.body[kViewerMercury + planet] = astro::PositionFromElements(astro::PlanetElements(planet, d));
    p.sun = astro::SunPosition(d);
    p.body[kViewerEarth] = {-p.sun.x, -p.sun.y, -p.sun.z};
    return p;
}

void PropagateAll(WanderocTable& table, double jd) {
    for (WanderocRecord& r : table) PropagateWanderoc(r, jd);
}

} // namespace tessmoor
