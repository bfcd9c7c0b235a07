// Small numeric helpers shared by the astronomy core: degree trigonometry, the [0, 360) reduction
// and a plain 3-vector. Header only.
#pragma once

#include <cmath>

namespace astro {

inline constexpr double g_degToRad = 0.017453292519943295;
inline constexpr double g_radToDeg = 57.29577951308232;
// Single-precision degree-to-radian factor used where the chart works in floats.
inline constexpr double kDegToRadF = 0.01745329238474369;
inline constexpr double kInv360 = 0.002777777777777778;

// v - floor(v / 360) * 360: any angle into [0, 360).
inline double Reduce360(double v) {
    double r = v - std::floor(v * kInv360) * 360.0;
    // floor of a product can leave exactly 360 for tiny negative inputs
    return r >= 360.0 ? r - 360.0 : r;
}

inline double SinD(double deg) {
    return std::sin(deg * g_degToRad);
}
inline double CosD(double deg) {
    return std::cos(deg * g_degToRad);
}
inline double Atan2D(double y, double x) {
    return std::atan2(y, x) * g_radToDeg;
}
inline double AsinD(double v) {
    return std::asin(v) * g_radToDeg;
}

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline double Length(const Vec3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// A right-handed turn of `angle` degrees about the axis (x, y, z): one glRotatef call.
struct GlRotation {
    float angle = 0, x = 0, y = 0, z = 0;
};

} // namespace astro
