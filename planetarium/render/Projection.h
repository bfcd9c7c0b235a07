// The one projection rule of the sky view, shared by the resize handler, the zoom and flip
// commands, the pick pass and the end of every frame.
#pragma once

namespace nv {

struct ProjectionParams {
    double fovy;   // vertical field of view in degrees; negative flips the picture upside down
    double aspect; // negative mirrors x
    double zNear;
    double zFar;
    int width;     // viewport size actually used (a zero height is taken as 1)
    int height;
};

// A true (unmirrored) view has the positive aspect width/height; the horizontal flip mirrors it,
// as an eyepiece diagonal would. zNear is the single-precision 0.0001 widened to double.
inline ProjectionParams SkyProjection(float fov, bool flipHorizontal, int width, int height) {
    if (height == 0) height = 1;
    const double ratio = static_cast<double>(width) / static_cast<double>(height);
    return {static_cast<double>(fov), flipHorizontal ? -ratio : ratio, static_cast<double>(0.0001f), 1000.0,
            width, height};
}

} // namespace nv
