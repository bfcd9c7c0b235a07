// The Milky Way sphere: the bound LINEAR_MIPMAP_NEAREST texture on a GLU sphere of radius 1.1,
// 32 slices and 32 stacks, centred on the eye.
//
// Over most of the view the picture is magnified, so every pixel samples mipmap level 0. Only
// near the sphere's poles, where the texture's rows crowd together, can a pixel reach level 1.
// Where the part of the screen that can reach no level but 0 is proved large enough, that part is
// drawn with the texture limited to level 0 (a cheaper sampler for a software rasteriser, and the
// same pixels), and the rest as before, each under its own scissor rectangle.
#pragma once

#include "planetarium/render/Bodies.h"

namespace nv {

inline constexpr double kMilkyWayRadius = 1.1;
inline constexpr int kMilkyWaySlices = 32;
inline constexpr int kMilkyWayStacks = 32;

// Window rectangle (as glScissor takes it).
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    long long Area() const { return static_cast<long long>(width) * height; }
};

// The part of the viewport proved to sample only level 0 of a texture of the given level-0 size,
// for a sphere with the current model-view (rotations about the eye only) and a symmetric
// perspective projection. `rest` is the remainder of the viewport; both are empty when nothing
// was proved (an eye offset, another projection, a pole in view).
struct LevelZeroSplit {
    ScreenRect levelZero;
    ScreenRect rest;
};
LevelZeroSplit FindLevelZeroPart(const float modelView[16], const float projection[16], const int viewport[4],
                                 int textureWidth, int textureHeight);

// Draws the sphere with the texture bound to GL_TEXTURE_2D. `split` off: one plain draw.
void DrawMilkyWaySphere(QuadricShapes& shapes, bool split);

} // namespace nv
