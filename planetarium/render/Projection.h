// The one projection rule of the sky view, shared by the resize handler, the zoom and flip
// commands, the pick pass and the end of every frame.
#pragma once

#include "astro/SkyRotation.h"

#include <cmath>

namespace nv {

struct ProjectionParams {
    double fovy;   // vertical field of view in degrees; negative flips the picture upside down
    double aspect; // negative mirrors x
    double zNear;
    double zFar;
    int width; // viewport size actually used (a zero height is taken as 1)
    int height;
};

// A true (unmirrored) view has the positive aspect width/height; the horizontal flip mirrors it,
// as an eyepiece diagonal would. zNear is the single-precision 0.0001 widened to double.
inline ProjectionParams SkyProjection(float fov, bool flipHorizontal, int width, int height) {
    if (height == 0) height = 1;
    const double ratio = static_cast<double>(width) / static_cast<double>(height);
    return {static_cast<double>(fov),
            flipHorizontal ? -ratio : ratio,
            static_cast<double>(0.0001f),
            1000.0,
            width,
            height};
}

// The matrix gluPerspective multiplies by for these parameters (identity where it would do
// nothing: a zero field, aspect or depth range).
inline astro::Mat4 PerspectiveMatrix(const ProjectionParams& p) {
    astro::Mat4 m;
    const double half = p.fovy / 2 * astro::g_degToRad;
    const double depth = p.zFar - p.zNear, sine = std::sin(half);
    if (depth == 0 || sine == 0 || p.aspect == 0) return m;
    const double cotangent = std::cos(half) / sine;
    m.m = {cotangent / p.aspect,
           0,
           0,
           0,
           0,
           cotangent,
           0,
           0,
           0,
           0,
           -(p.zFar + p.zNear) / depth,
           -1,
           0,
           0,
           -2 * p.zNear * p.zFar / depth,
           0};
    return m;
}

} // namespace nv
