#include "astro/Precession.h"

#include <cmath>
#include <erfa.h>

namespace astro {

namespace {

// The rotation of a 3x3 matrix as an angle and a unit axis. The antisymmetric part gives the
// axis times 2 sin(angle), the trace 1 + 2 cos(angle): atan2 keeps the angle exact when it is tiny.
GlRotation AngleAxis(const double m[3][3]) {
    const double ax = m[2][1] - m[1][2], ay = m[0][2] - m[2][0], az = m[1][0] - m[0][1];
    const double twoSin = std::sqrt(ax * ax + ay * ay + az * az);
    const double twoCos = m[0][0] + m[1][1] + m[2][2] - 1.0;
    if (!(twoSin > 0.0)) return {0.0f, 0.0f, 1.0f, 0.0f};
    return {static_cast<float>(std::atan2(twoSin, twoCos) * g_radToDeg), static_cast<float>(ax / twoSin),
            static_cast<float>(ay / twoSin), static_cast<float>(az / twoSin)};
}

} // namespace

GlRotation PrecessionRotation(double jd) {
    // One frame draws many layers for the same instant: keep the last answer.
    thread_local double lastJd = NAN;
    thread_local GlRotation last;
    if (jd == lastJd) return last;
    double rbp[3][3];
    eraPmat06(2400000.5, jd - 2400000.5, rbp);
    // ERFA's vectors are (cos d cos a, cos d sin a, sin d); the star table's are
    // (-cos d sin a, -sin d, cos d cos a), that is e = (t.z, -t.x, -t.y). So the table-axes matrix
    // is P m P^T with P taking e to t: t.x = -e.y, t.y = -e.z, t.z = e.x.
    const int from[3] = {1, 2, 0};
    const double sign[3] = {-1.0, -1.0, 1.0};
    double m[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) m[r][c] = sign[r] * sign[c] * rbp[from[r]][from[c]];
    last = AngleAxis(m);
    lastJd = jd;
    return last;
}

Vec3 Rotated(const GlRotation& r, const Vec3& v) {
    const double len = std::sqrt(double(r.x) * r.x + double(r.y) * r.y + double(r.z) * r.z);
    if (!(len > 0.0)) return v;
    const double x = r.x / len, y = r.y / len, z = r.z / len;
    const double c = std::cos(r.angle * g_degToRad), s = std::sin(r.angle * g_degToRad), t = 1.0 - c;
    // Rodrigues: v c + (k x v) s + k (k . v)(1 - c)
    const double dot = x * v.x + y * v.y + z * v.z;
    return {v.x * c + (y * v.z - z * v.y) * s + x * dot * t, v.y * c + (z * v.x - x * v.z) * s + y * dot * t,
            v.z * c + (x * v.y - y * v.x) * s + z * dot * t};
}

Vec3 RotatedBack(const GlRotation& r, const Vec3& v) {
    return Rotated({-r.angle, r.x, r.y, r.z}, v);
}

} // namespace astro
