#include "astro/SolarSystem.h"

#include "astro/SkyClock.h"

#include <algorithm>
#include <cmath>

namespace astro {

CSolarSystem g_solarSystem;

namespace {

struct ElementRow {
    double N0, N1, i0, i1, w0, w1, a, e0, e1, M0, M1;
};

// Mean elements, each c + k * d with d the day number from 2000 January 0.0.
constexpr ElementRow kPlanetElements[7] = {
    {48.3313, 3.24587e-5, 7.0047, 5e-8, 29.1241, 1.01444e-5, 0.387098, 0.205635, 5.59e-10, 168.6562,
     4.0923344368},
    {76.6799, 2.4659e-5, 3.3946, 2.75e-8, 54.891, 1.38374e-5, 0.72333, 0.006773, -1.302e-9, 48.0052,
     1.6021302244},
    {49.5574, 2.11081e-5, 1.8497, -1.78e-8, 286.5016, 2.92961e-5, 1.523688, 0.093405, 2.516e-9, 18.6021,
     0.5240207766},
    {100.4542, 2.76854e-5, 1.303, -1.557e-7, 273.8777, 1.64505e-5, 5.20256, 0.048498, 4.469e-9, 19.895,
     0.0830853001},
    {113.6634, 2.3898e-5, 2.4886, -1.081e-7, 339.3939, 2.97661e-5, 9.55475, 0.055546, -9.499e-9, 316.97,
     0.0334442282},
    {74.0005, 1.3978e-5, 0.7733, 1.9e-8, 96.6612, 3.0565e-5, 19.1817099845, 0.047318, 7.45e-9, 142.5905,
     0.011725806},
    {131.7806, 3.0173e-5, 1.77, -2.55e-7, 272.8461, -6.027e-6, 30.05826003313, 0.008606, 2.15e-9, 260.2471,
     0.005995147},
};

// Rectangular position from node, inclination and argument of latitude.
Vec3 FromOrbitPlane(double r, double N, double i, double u) {
    const double cN = CosD(N), sN = SinD(N), cu = CosD(u), su = SinD(u), ci = CosD(i);
    return {r * (cN * cu - sN * su * ci), r * (sN * cu + cN * su * ci), r * su * SinD(i)};
}

// Offsets scale: computed radii times the single-precision 0.001.
constexpr double kMoonScale = 0.001f;

} // namespace

OrbitalElements PlanetElements(int planet, float d) {
    const ElementRow& r = kPlanetElements[planet];
    const double dd = d;
    OrbitalElements el;
    el.N = Reduce360(r.N0 + r.N1 * dd);
    el.i = Reduce360(r.i0 + r.i1 * dd);
    el.w = Reduce360(r.w0 + r.w1 * dd);
    el.a = r.a;
    el.e = r.e0 + r.e1 * dd;
    el.M = Reduce360(r.M0 + r.M1 * dd);
    return el;
}

Vec3 PositionFromElements(const OrbitalElements& el) {
    const double e = el.e, M = el.M;
    const double e0 = M + e * g_radToDeg * SinD(M) * (1.0 + e * CosD(M));
    // exactly one Newton step
    const double E = e0 - (e0 - e * g_radToDeg * SinD(e0) - M) / (1.0 - e * CosD(e0));
    const double xv = el.a * (CosD(E) - e);
    const double yv = el.a * std::sqrt(1.0 - e * e) * SinD(E);
    const double r = std::sqrt(xv * xv + yv * yv);
    const double v = Reduce360(Atan2D(yv, xv));
    return FromOrbitPlane(r, el.N, el.i, v + el.w);
}

namespace {

// Heliocentric longitude and latitude corrections (degrees) of Jupiter (3), Saturn (4) and
// Uranus (5) from the mean anomalies of Jupiter, Saturn and Uranus.
void MutualPerturbations(int planet, double Mj, double Ms, double Mu, double& dLon, double& dLat) {
    dLon = dLat = 0.0;
    if (planet == 3) {
        dLon = -0.332 * SinD(2 * Mj - 5 * Ms - 67.6) - 0.056 * SinD(2 * Mj - 2 * Ms + 21) +
               0.042 * SinD(3 * Mj - 5 * Ms + 21) - 0.036 * SinD(Mj - 2 * Ms) + 0.022 * CosD(Mj - Ms) +
               0.023 * SinD(2 * Mj - 3 * Ms + 52) - 0.016 * SinD(Mj - 5 * Ms - 69);
    } else if (planet == 4) {
        dLon = 0.812 * SinD(2 * Mj - 5 * Ms - 67.6) - 0.229 * CosD(2 * Mj - 4 * Ms - 2) +
               0.119 * SinD(Mj - 2 * Ms - 3) + 0.046 * SinD(2 * Mj - 6 * Ms - 69) +
               0.014 * SinD(Mj - 3 * Ms + 32);
        dLat = -0.020 * CosD(2 * Mj - 4 * Ms - 2) + 0.018 * SinD(2 * Mj - 6 * Ms - 49);
    } else if (planet == 5) {
        dLon = 0.040 * SinD(Ms - 2 * Mu + 6) + 0.035 * SinD(Ms - 3 * Mu + 33) - 0.015 * SinD(Mj - Mu + 20);
    }
}

} // namespace

Vec3 PlanetPosition(int planet, float d) {
    const Vec3 p = PositionFromElements(PlanetElements(planet, d));
    if (planet < 3 || planet > 5) return p;
    double dLon = 0, dLat = 0;
    MutualPerturbations(planet, PlanetElements(3, d).M, PlanetElements(4, d).M, PlanetElements(5, d).M, dLon,
                        dLat);
    const double r = Length(p);
    const double lon = Atan2D(p.y, p.x) + dLon;
    const double lat = Atan2D(p.z, std::sqrt(p.x * p.x + p.y * p.y)) + dLat;
    const double cb = CosD(lat);
    return {r * cb * CosD(lon), r * cb * SinD(lon), r * SinD(lat)};
}

double SunMeanAnomaly(float d) {
    return Reduce360(356.047 + 0.9856002585 * static_cast<double>(d));
}

Vec3 SunPosition(float d, double* trueLongitude) {
    const double dd = d;
    const double w = Reduce360(282.9494 + 4.70935e-5 * dd);
    const double e = 0.016707 - 1.151e-9 * dd;
    const double M = SunMeanAnomaly(d);
    const double E = M + e * g_radToDeg * SinD(M) * (1.0 + e * CosD(M));
    const double xv = CosD(E) - e;
    const double yv = std::sqrt(1.0 - e * e) * SinD(E);
    const double r = std::sqrt(xv * xv + yv * yv);
    const double v = Reduce360(Atan2D(yv, xv));
    const double lon = Reduce360(v + w);
    if (trueLongitude) *trueLongitude = lon;
    return {r * CosD(lon), r * SinD(lon), 0.0};
}

Vec3 MoonPosition(float d, double sunLon) {
    const double dd = d;
    const double N = Reduce360(125.1228 - 0.0529538083 * dd);
    const double i = 5.1454;
    const double w = Reduce360(318.0634 + 0.1643573223 * dd);
    const double M = Reduce360(115.3654 + 13.0649929509 * dd);
    const double e = 0.0549, a = kMoonMeanDistance;
    const double eDeg = 3.1455382952682194; // e in degrees
    const double e0 = M + eDeg * SinD(M) * (1.0 + e * CosD(M));
    const double E = e0 - (e0 - eDeg * SinD(e0) - M) / (1.0 - e * CosD(e0));
    const double xv = a * (CosD(E) - e);
    const double yv = a * std::sqrt(0.99698599) * SinD(E);
    const double v = Reduce360(Atan2D(yv, xv));
    double r = std::sqrt(xv * xv + yv * yv);
    const Vec3 p = FromOrbitPlane(r, N, i, v + w);
    double lat = Atan2D(p.z, std::sqrt(p.x * p.x + p.y * p.y));
    double lon = Reduce360(Atan2D(p.y, p.x));

    const double Ms = SunMeanAnomaly(d);
    const double Mm = M;
    const double L = Reduce360(Mm + w + N);
    const double D = L - sunLon;
    const double F = L - N;
    lat += -0.173 * SinD(F - 2 * D) - 0.055 * SinD(Mm - F - 2 * D) - 0.046 * SinD(Mm + F - 2 * D) +
           0.033 * SinD(F + 2 * D) + 0.017 * SinD(2 * Mm + F);
    lon += -1.274 * SinD(Mm - 2 * D) + 0.658 * SinD(2 * D) - 0.186 * SinD(Ms) - 0.059 * SinD(2 * Mm - 2 * D) -
           0.057 * SinD(Mm - 2 * D + Ms) + 0.053 * SinD(Mm + 2 * D) + 0.046 * SinD(2 * D - Ms) +
           0.041 * SinD(Mm - Ms) - 0.035 * SinD(D) - 0.031 * SinD(Mm + Ms) - 0.015 * SinD(2 * F - 2 * D) +
           0.011 * SinD(Mm - 4 * D);
    // The two largest distance terms (evection and variation), in Earth radii.
    r += (-0.58 * CosD(Mm - 2 * D) - 0.46 * CosD(2 * D)) * kEarthRadiusAu;
    const double cb = CosD(lat);
    return {r * CosD(lon) * cb, r * SinD(lon) * cb, r * SinD(lat)};
}

Vec3 PlutoPosition(float d) {
    const double dd = d;
    const double S = Reduce360(50.03 + 0.033459652 * dd);
    const double P = Reduce360(238.95 + 0.003968789 * dd);
    const double lon = 238.9508 + 0.00400703 * dd - 19.799 * SinD(P) + 19.848 * CosD(P) +
                       0.897 * SinD(2 * P) - 4.956 * CosD(2 * P) + 0.61 * SinD(3 * P) + 1.211 * CosD(3 * P) -
                       0.341 * SinD(4 * P) - 0.19 * CosD(4 * P) + 0.128 * SinD(5 * P) - 0.034 * CosD(5 * P) -
                       0.038 * SinD(6 * P) + 0.031 * CosD(6 * P) + 0.02 * SinD(S - P) - 0.01 * CosD(S - P);
    const double lat = -3.9082 - 5.453 * SinD(P) - 14.975 * CosD(P) + 3.527 * SinD(2 * P) +
                       1.673 * CosD(2 * P) - 1.051 * SinD(3 * P) + 0.328 * CosD(3 * P) + 0.179 * SinD(4 * P) -
                       0.292 * CosD(4 * P) + 0.019 * SinD(5 * P) + 0.1 * CosD(5 * P) - 0.031 * SinD(6 * P) -
                       0.026 * CosD(6 * P) + 0.011 * CosD(S - P);
    const double r = static_cast<float>(40.72 + 6.68 * SinD(P) + 6.9 * CosD(P) - 1.18 * SinD(2 * P) -
                                        0.03 * CosD(2 * P) + 0.15 * SinD(3 * P) - 0.14 * CosD(3 * P));
    const double cb = CosD(lat);
    return {r * cb * CosD(lon), r * cb * SinD(lon), r * SinD(lat)};
}

float CSolarSystem::UpdateSolarSystem(int year, int month, int day, int hour, int minute, float gmtOffset) {
    // The pickers hold the local clock; every body is placed for UT = local clock - zone.
    const double zone = static_cast<double>(gmtOffset) / 24.0;
    const double jd = JulianDay(year, month, day, hour, minute) - zone;
    const double jdMoons = JulianDayMoonForm(year, month, day, hour, minute) - zone;
    Compute(static_cast<float>(jd - 2451543.5), jdMoons);
    return m_dayNumber;
}

float CSolarSystem::UpdateAtJulianDay(double jdUt) {
    Compute(static_cast<float>(jdUt - 2451543.5), jdUt);
    return m_dayNumber;
}

void CSolarSystem::Compute(float d, double jdMoons) {
    m_dayNumber = d;
    const Vec3 sun = SunPosition(d, &m_sunLongitude);
    const Vec3 moon = MoonPosition(d, m_sunLongitude);
    m_bodies[kSun] = {sun.x, sun.y, sun.z, 0};
    m_bodies[kMoon] = {moon.x, moon.y, moon.z, 0};
    for (int p = 0; p < 7; ++p) {
        const Vec3 h = PlanetPosition(p, d);
        m_bodies[kMercury + p] = {h.x, h.y, h.z, 0};
    }
    const Vec3 pluto = PlutoPosition(d);
    m_bodies[kPluto] = {pluto.x, pluto.y, pluto.z, 0};

    UpdateJupiterMoons(jdMoons);
    UpdateSaturnMoons(jdMoons);

    // heliocentric to geocentric
    for (int b = kMercury; b <= kPluto; ++b) {
        m_bodies[b].x += sun.x;
        m_bodies[b].y += sun.y;
        m_bodies[b].z += sun.z;
    }
    for (int b = 0; b < kBodyCount; ++b) {
        BodyPosition& body = m_bodies[b];
        body.size = kBodySizes[b];
        body.magnitude = VisualMagnitude(b, {body.x, body.y, body.z}, sun);
    }
}

void CSolarSystem::UpdateJupiterMoons(int year, int month, int day, int hour, int minute) {
    UpdateJupiterMoons(JulianDayMoonForm(year, month, day, hour, minute));
}

void CSolarSystem::UpdateSaturnMoons(int year, int month, int day, int hour, int minute) {
    UpdateSaturnMoons(JulianDayMoonForm(year, month, day, hour, minute));
}

void CSolarSystem::UpdateJupiterMoons(double jd) {
    const double d = jd - 2451545.0;
    const double V = Reduce360(172.74 + 0.00111588 * d);
    const double M = Reduce360(357.529 + 0.9856003 * d);
    const double N = Reduce360(20.02 + 0.0830853 * d + 0.329 * SinD(V));
    const double J = Reduce360(66.115 + 0.9025179 * d - 0.329 * SinD(V));
    const double A = 1.915 * SinD(M) + 0.02 * SinD(2 * M);
    const double B = 5.555 * SinD(N) + 0.168 * SinD(2 * N);
    const double K = J + A - B;
    const double R = 1.00014 - 0.01671 * CosD(M) - 0.00014 * CosD(2 * M);
    const double r = 5.20872 - 0.25208 * CosD(N) - 0.00611 * CosD(2 * N);
    const double delta = std::sqrt(r * r + R * R - 2 * r * R * CosD(K));
    const double psi = AsinD(R * SinD(K) / delta);
    const double tau = d - delta * 0.005780346820809248;
    double u1 = Reduce360(163.8069 + 203.4058646 * tau + psi - B);
    double u2 = Reduce360(358.414 + 101.2916335 * tau + psi - B);
    double u3 = Reduce360(5.7176 + 50.234518 * tau + psi - B);
    double u4 = Reduce360(224.8092 + 21.48798 * tau + psi - B);
    const double G = Reduce360(331.18 + 50.310482 * tau);
    const double H = Reduce360(87.45 + 21.569231 * tau);
    u1 = u1 + SinD(2 * (u1 - u2));
    u2 = u2 + SinD(2 * (u2 - u1));
    u3 = u3 + 0.165 * SinD(G);
    u4 = u4 + 0.843 * SinD(H);
    const double r1 = 5.9057 - 0.0244 * CosD(2 * (u1 - u2));
    const double r2 = 9.3966 - 0.0882 * CosD(2 * (u2 - u1));
    const double r3 = 14.9883 - 0.0216 * CosD(G);
    const double r4 = 26.3627 - 0.1939 * CosD(H);
    const double lambda = 34.35 + 0.083091 * d + 0.329 * SinD(V) + B;
    const double Ds = 3.12 * SinD(lambda + 42.8);
    const double De =
        Ds - 2.22 * SinD(psi) * CosD(lambda + 22) - 1.3 * (r - delta) / delta * SinD(lambda - 100.5);
    const double u[4] = {u1, u2, u3, u4}, rr[4] = {r1, r2, r3, r4};
    for (int k = 0; k < 4; ++k) {
        m_jupiterMoons[k].X = rr[k] * SinD(u[k]) * kMoonScale;
        m_jupiterMoons[k].Y = -rr[k] * CosD(u[k]) * SinD(De) * kMoonScale;
    }
}

namespace {

struct MoonOrbit {
    double lambda = 0, r = 0, gamma = 0, node = 0;
};

// The orbit step shared by Rhea, Titan, Hyperion and Iapetus.
MoonOrbit OrbitStep(double e, double a, double i, double node, double lambdaP, double M) {
    constexpr double eps = 28.0817;
    const double e2 = e * e, e3 = e2 * e, e4 = e3 * e, e5 = e4 * e;
    const double Q = g_radToDeg * ((2 * e - 0.25 * e3 + 0.0520833333 * e5) * SinD(M) +
                                   (1.25 * e2 - 0.458333333 * e4) * SinD(2 * M) +
                                   (1.083333333 * e3 - 0.671875 * e5) * SinD(3 * M) +
                                   1.072917 * e4 * SinD(4 * M) + 1.142708 * e5 * SinD(5 * M));
    MoonOrbit o;
    o.r = a * (1 - e2) / (1 + e * CosD(M + Q));
    const double g = node - 168.8112;
    const double b1 = SinD(i) * SinD(g);
    const double b2 = SinD(i) * CosD(eps) * CosD(g) - CosD(i) * SinD(eps);
    o.gamma = AsinD(std::sqrt(b1 * b1 + b2 * b2));
    const double u = Atan2D(b1, b2);
    const double w = 168.812 + u;
    const double h = SinD(i) * CosD(eps) - CosD(i) * SinD(eps) * CosD(g);
    const double psi = Atan2D(SinD(eps) * SinD(g), h);
    o.lambda = Reduce360(u + Q + lambdaP - g - psi);
    o.node = w;
    return o;
}

} // namespace

namespace {

// The time arguments and slowly turning angles all of Saturn's moons share.
struct SaturnMoonTimes {
    double t1, t2, t3, t4, t5, t6, t7, t8, t9, t10, t11;
    double W0, W1, W2, W3, W4, W5, W6, W7, W8;
};

SaturnMoonTimes SaturnTimesAt(double jd) {
    SaturnMoonTimes t{};
    t.t1 = jd - 2411093.0;
    t.t2 = t.t1 * 0.0027378507871321013;
    t.t3 = (jd - 2433282.423) * 0.0027378507871321013 + 1950.0;
    t.t4 = jd - 2411368.0;
    t.t5 = t.t4 * 0.0027378507871321013;
    t.t6 = jd - 2415020.0;
    t.t7 = t.t6 * 2.7378507871321012e-5;
    t.t8 = t.t6 * 0.0027378507871321013;
    t.t9 = (jd - 2442000.5) * 0.0027378507871321013;
    t.t10 = jd - 2409786.0;
    t.t11 = t.t10 * 2.7378507871321012e-5;
    t.W0 = 5.095 * (t.t3 - 1866.39);
    t.W1 = 74.4 + 32.39 * t.t2;
    t.W2 = 134.3 + 92.62 * t.t2;
    t.W3 = 42.0 - 0.5118 * t.t5;
    t.W4 = 276.59 + 0.5118 * t.t5;
    t.W5 = 276.2635 + 1222.11136 * t.t7;
    t.W6 = 175.4762 + 1221.5515 * t.t7;
    t.W7 = 2.4891 + 0.002435 * t.t7;
    t.W8 = 113.35 - 0.2597 * t.t7;
    return t;
}
MoonOrbit MimasOrbit(const SaturnMoonTimes& t) {
    const double L =
        127.64 + 381.994497 * t.t1 - 43.57 * SinD(t.W0) - 0.72 * SinD(3 * t.W0) - 0.02144 * SinD(5 * t.W0);
    const double p = 106.1 + 365.549 * t.t2;
    const double M = L - p;
    const double Q = 2.18287 * SinD(M) + 0.025988 * SinD(2 * M) + 0.00043 * SinD(3 * M);
    return {Reduce360(L + Q), 3.06879 / (1 + 0.01905 * CosD(M + Q)), 1.563, Reduce360(54.5 - 365.072 * t.t2)};
}
MoonOrbit EnceladusOrbit(const SaturnMoonTimes& t) {
    const double L = 200.317 + 262.7319002 * t.t1 + 0.25667 * SinD(t.W1) + 0.20883 * SinD(t.W2);
    const double p = 309.107 + 123.44121 * t.t2;
    const double M = L - p;
    const double Q = 0.55577 * SinD(M) + 0.00168 * SinD(2 * M);
    return {Reduce360(L + Q), 3.94118 / (1 + 0.00485 * CosD(M + Q)), 0.0262,
            Reduce360(348.0 - 151.95 * t.t2)};
}
MoonOrbit TethysOrbit(const SaturnMoonTimes& t) {
    const double lambda = 285.306 + 190.69791226 * t.t1 + 2.063 * SinD(t.W0) + 0.03409 * SinD(3 * t.W0) +
                          0.001015 * SinD(5 * t.W0);
    return {Reduce360(lambda), 4.880998, 1.0976, Reduce360(111.33 - 72.2441 * t.t2)};
}
MoonOrbit DioneOrbit(const SaturnMoonTimes& t) {
    const double L = 254.712 + 131.53493193 * t.t1 - 0.0215 * SinD(t.W1) - 0.01733 * SinD(t.W2);
    const double p = 174.8 + 30.82 * t.t2;
    const double M = L - p;
    const double Q = 0.24717 * SinD(M) + 0.00033 * SinD(2 * M);
    return {Reduce360(L + Q), 6.24871 / (1 + 0.002157 * CosD(M + Q)), 0.0139,
            Reduce360(232.0 - 30.27 * t.t2)};
}
MoonOrbit RheaOrbit(const SaturnMoonTimes& t) {
    const double pp = 342.7 + 10.057 * t.t2;
    const double a1 = 0.000265 * SinD(pp) + 0.01 * SinD(t.W4);
    const double a2 = 0.000265 * CosD(pp) + 0.01 * CosD(t.W4);
    const double e = std::sqrt(a1 * a1 + a2 * a2);
    const double p = a2 < 0 ? Atan2D(a1, a2) : pp;
    const double N = 345.0 - 10.057 * t.t2;
    const double lambdaP = 359.244 + 79.6900472 * t.t1 + 0.086754 * SinD(N);
    const double i = 28.0362 + 0.346898 * CosD(N) + 0.0193 * CosD(t.W3);
    const double node = Reduce360(168.8034 + 0.736936 * SinD(N) + 0.041 * SinD(t.W3));
    return OrbitStep(e, 8.725924, i, node, lambdaP, lambdaP - p);
}
MoonOrbit TitanOrbit(const SaturnMoonTimes& t) {
    const double L = 261.1582 + 22.57697855 * t.t4 + 0.074025 * SinD(t.W3);
    const double iP = 27.45141 + 0.295999 * CosD(t.W3);
    const double nodeP = 168.66925 + 0.628808 * SinD(t.W3);
    const double a1 = SinD(t.W7) * SinD(nodeP - t.W8);
    const double a2 = CosD(t.W7) * SinD(iP) - SinD(t.W7) * CosD(iP) * CosD(nodeP - t.W8);
    const double psiT = Atan2D(a1, a2);
    const double s = std::sqrt(a1 * a1 + a2 * a2);
    constexpr double twoG0 = 205.7246;
    double gT = t.W4 - nodeP - psiT;
    double varpi = 0;
    for (int k = 0; k < 3; ++k) {
        varpi = t.W4 + 0.37515 * (SinD(2 * gT) - SinD(twoG0));
        gT = varpi - nodeP - psiT;
    }
    const double eP = 0.029092 + 0.00019048 * (CosD(2 * gT) - CosD(twoG0));
    const double q = 2 * (t.W5 - varpi);
    const double c1 = SinD(iP) * SinD(nodeP - t.W8);
    const double c2 = CosD(t.W7) * SinD(iP) * CosD(nodeP - t.W8) - SinD(t.W7) * CosD(iP);
    const double theta = Atan2D(c1, c2) + t.W8;
    const double e = eP * (1 + 0.002778797 * CosD(q));
    const double p = varpi + 0.159215 * SinD(q);
    const double uT = 2 * t.W5 - 2 * theta + psiT;
    const double hT = 0.9375 * eP * eP * SinD(q) + 0.1875 * s * s * SinD(2 * (t.W5 - theta));
    const double lambdaP = L - 0.254744 * (eP * SinD(t.W6) + 0.75 * eP * eP * SinD(2 * t.W6) + hT);
    const double i = iP + 0.031843 * s * CosD(uT);
    const double nodeT = Reduce360(nodeP + 0.031843 * s * SinD(uT) / SinD(i));
    return OrbitStep(e, 20.216193, i, nodeT, lambdaP, lambdaP - p);
}
MoonOrbit HyperionOrbit(const SaturnMoonTimes& t) {
    const double eta = 92.39 + 0.5621071 * t.t6;
    const double zeta = 148.19 - 19.18 * t.t8;
    const double theta = 184.8 - 35.41 * t.t9;
    const double thetaP = theta - 7.5;
    const double as = 176.0 + 12.22 * t.t8;
    const double bs = 8.0 + 24.44 * t.t8;
    const double cs = bs + 5.0;
    const double varpi = 69.898 - 18.67088 * t.t8;
    const double phi = 2 * (varpi - t.W5);
    const double chi = 94.9 - 2.292 * t.t8;
    const double a = 24.50601 - 0.08686 * CosD(eta) - 0.00166 * CosD(zeta + eta) + 0.00175 * CosD(zeta - eta);
    const double e = 0.103458 - 0.004099 * CosD(eta) - 0.000167 * CosD(zeta + eta) +
                     0.000235 * CosD(zeta - eta) + 0.02303 * CosD(zeta) - 0.00212 * CosD(2 * zeta) +
                     0.000151 * CosD(3 * zeta) + 0.00013 * CosD(zeta);
    const double p = varpi + 0.15648 * SinD(chi) - 0.4457 * SinD(eta) - 0.2657 * SinD(zeta + eta) -
                     0.3573 * SinD(zeta + eta) - 12.872 * SinD(zeta) + 1.668 * SinD(2 * zeta) -
                     0.2419 * SinD(3 * zeta) + 0.07 * SinD(phi);
    const double lambdaP = 177.047 + 16.91993829 * t.t6 + 9.142 * SinD(eta) + 0.007 * SinD(2 * eta) -
                           0.014 * SinD(3 * eta) + 0.15648 * SinD(chi) + 0.4387 * SinD(zeta + eta) -
                           0.26 * SinD(zeta) - 0.0098 * SinD(2 * zeta) - 0.013 * SinD(as) + 0.017 * SinD(bs) -
                           0.0303 * SinD(phi);
    const double i =
        27.3347 + 0.643486 * CosD(chi) + 0.315 * CosD(t.W3) + 0.018 * CosD(theta) - 0.018 * CosD(cs);
    const double node = Reduce360(168.6812 + 1.40136 * CosD(chi) + 0.68599 * SinD(t.W3) - 0.0392 * SinD(cs) +
                                  0.0366 * SinD(thetaP));
    return OrbitStep(e, a, i, node, lambdaP, lambdaP - p);
}
MoonOrbit IapetusOrbit(const SaturnMoonTimes& t) {
    const double T = t.t11;
    const double varpi1 = 60.47 + 1.521 * t.t7;
    const double node0 = 143.198 - 3.919 * T + 0.116 * T * T + 0.008 * T * T * T;
    const double L = 76.3852 + 4.53795125 * t.t10;
    const double varpi = 352.91 + 11.71 * T;
    const double ell = L - varpi;
    const double g = varpi - node0;
    const double g1 = 4.367 - 0.195 * t.t7;
    const double ls = 91.796 + 0.562 * t.t7;
    const double gs = ls - (146.819 - 3.198 * t.t7);
    const double lT = 261.1582 + 22.57697855 * t.t4 - t.W4;
    const double u1 = t.W5 - ls;
    const double f = t.W4 - (205.055 - 2.091 * t.t7);
    const double A1 = g - g1, A2 = A1 + ell - u1 - gs, A3 = g - varpi1 + ell, A4 = A1 - u1 - gs, A5 = f + lT,
                 A6 = 2 * (gs + u1);
    const double B1 = 2 * A2, B2 = A3 - lT - f, B3 = A6 - 2 * A1, B4 = g - varpi1 - f, B5 = B2 + ell,
                 B6 = A5 - (g - varpi1), B7 = ell, B8 = 2 * A4 + ell, B9 = g1 + A6;
    const double e1 = 0.028292 + 0.001156 * T;
    const double varpiP = varpi + (0.08077 * SinD(B4) + 0.02139 * SinD(B3) - 0.00676 * SinD(B8) +
                                   0.03547 * SinD(B6) + 0.0138 * SinD(B7) + 0.01632 * SinD(B5)) /
                                      e1;
    const double i0 = 18.4602 - 0.9518 * T - 0.072 * T * T + 0.0054 * T * T * T;
    const double i = i0 + 0.00235 * CosD(ell + A5 + varpi1) + 0.0036 * CosD(B2 + varpi1) + 0.04204 * CosD(B9);
    const double node = Reduce360(
        node0 +
        (0.00235 * SinD(A3 + A5 + varpi1) + 0.00358 * SinD(B2 + varpi1) + 0.04204 * SinD(B9)) / SinD(i0));
    const double lambdaP = L - 0.4299 * SinD(B2) - 0.00789 * SinD(B1) - 0.06312 * SinD(u1) -
                           0.00295 * SinD(2 * u1) - 0.02231 * SinD(A6) + 0.0065 * SinD(B9);
    const double e = e1 - 0.0014097 * CosD(B4) + 0.0002849 * CosD(B5) + 0.000619 * CosD(B6) +
                     0.0002408 * CosD(B7) + 0.0003733 * CosD(B3) + 0.000118 * CosD(B8);
    const double a = 58.935028 + 0.058222 * CosD(B2) + 0.004638 * CosD(B1);
    return OrbitStep(e, a, i, node, lambdaP, lambdaP - varpiP);
}
} // namespace

void CSolarSystem::UpdateSaturnMoons(double jd) {
    const SaturnMoonTimes t = SaturnTimesAt(jd);
    const MoonOrbit m[8] = {MimasOrbit(t), EnceladusOrbit(t), TethysOrbit(t),   DioneOrbit(t),
                            RheaOrbit(t),  TitanOrbit(t),     HyperionOrbit(t), IapetusOrbit(t)};
    for (int k = 0; k < 8; ++k) {
        const double v = m[k].lambda - m[k].node;
        const double kk = m[k].node - 168.8112;
        const double cg = CosD(m[k].gamma);
        m_saturnMoons[k].X = m[k].r * (CosD(v) * CosD(kk) - SinD(v) * SinD(kk) * cg) * kMoonScale;
        m_saturnMoons[k].Y = m[k].r * (SinD(v) * CosD(kk) * cg + CosD(v) * SinD(kk)) * kMoonScale;
        m_saturnMoons[k].Z = m[k].r * SinD(v) * SinD(m[k].gamma) * kMoonScale;
    }
}

void EclipticLonLat(const BodyPosition& b, double& lonDeg, double& latDeg) {
    lonDeg = Reduce360(Atan2D(b.y, b.x));
    latDeg = Atan2D(b.z, std::sqrt(b.x * b.x + b.y * b.y));
}

double VisualMagnitude(int body, const Vec3& geo, const Vec3& sun) {
    const double D = Length(geo);
    const double R = Length(sun);
    if (body == kSun) return R > 0 ? -26.74 + 5.0 * std::log10(R) : -26.74;
    const Vec3 helio{geo.x - sun.x, geo.y - sun.y, geo.z - sun.z};
    const double r = Length(helio);
    if (!(r > 0 && D > 0)) return 99.0; // no distance, no light
    // Phase angle: between the directions to the Sun and to the Earth, seen from the body.
    const double c = (helio.x * geo.x + helio.y * geo.y + helio.z * geo.z) / (r * D);
    const double i = std::acos(std::clamp(c, -1.0, 1.0)) * g_radToDeg;
    const double distance = 5.0 * std::log10(r * D);
    switch (body) {
    case kMoon:
        return 0.21 + distance + 0.026 * i + 4e-9 * i * i * i * i;
    case kMercury:
        return -0.42 + distance + 0.0380 * i - 0.000273 * i * i + 0.000002 * i * i * i;
    case kVenus:
        return -4.40 + distance + 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
    case kMars:
        return -1.52 + distance + 0.016 * i;
    case kJupiter:
        return -9.40 + distance + 0.005 * i;
    case kSaturn:
        return -8.88 + distance;
    case kUranus:
        return -7.19 + distance;
    case kNeptune:
        return -6.87 + distance;
    default:
        return -1.00 + distance;
    }
}

} // namespace astro
