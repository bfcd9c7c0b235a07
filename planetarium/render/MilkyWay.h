// The Milky Way sphere: the bound LINEAR_MIPMAP_NEAREST texture on a GLU sphere of radius 1.1,
// 32 slices and 32 stacks, centred on the eye.
//
// Over most of the view the picture is magnified, so every pixel samples mipmap level 0. Only
// near the sphere's poles, where the texture's rows crowd together, can a pixel reach level 1.
// Where the part of the screen that can reach no level but 0 is proved large enough, that part is
// drawn with the texture limited to level 0 (a cheaper sampler for a software rasteriser, and the
// same pixels), and the rest as before, each under its own scissor rectangle.
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/render/QuadricShapes.h"

#include <vector>

namespace nv {

inline constexpr double kMilkyWayRadius = 1.1;
inline constexpr int kMilkyWaySlices = 32;
inline constexpr int kMilkyWayStacks = 32;

// Pixels per unit of tangent at the centre of the view, the fewest pixels per radian anywhere in
// it, when the model-view only turns about the eye and the projection is a symmetric perspective;
// 0 otherwise.
double CentredPixelsPerTangent(const float modelView[16], const float projection[16], const int viewport[4]);

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

// The sphere's facets as GLU lays them out (the same vertices, texture coordinates and quads), held
// in arrays so that facets can be left out. A facet whose texture is black at every level, over
// every texel its linear filtering can reach, adds nothing to a frame that starts black, so the
// mesh leaves it out. Texture coordinates only: the sphere is drawn unlit.
class MilkyWayMesh {
public:
    // Forgets the black facets (the texture was reloaded).
    void Invalidate() { m_ready = false; }
    // Finds the black facets of the texture bound to GL_TEXTURE_2D (read back once, with its
    // mipmaps) unless already known for that texture. False when it has no usable level 0.
    bool Prepare();
    // Chooses the facets to draw for a view whose pixels span at most 1 / pixelsPerRadian
    // radians of the sphere (0: unknown, only facets black at every level are left out).
    void ChooseFacets(double pixelsPerRadian);
    // Draws the chosen facets.
    void Draw() const;
    int FacetsDrawn() const { return m_facetsDrawn; }

private:
    // Vertices of one stack's quad strip.
    static constexpr int kStripVertices = 2 * (kMilkyWaySlices + 1);
    void BuildVertices();
    bool m_ready = false;
    unsigned m_textureName = 0;
    int m_textureWidth = 0, m_textureHeight = 0;
    int m_facetsDrawn = 0;
    double m_runsFor = -1.0;
    std::vector<int> m_blackThrough; // per facet (stack-major): last level of an all-black run from 0
    std::vector<float> m_positions, m_texCoords; // per stack, the quad strip's 2 (slices + 1) vertices
    struct Run {
        int first, count; // quad-strip vertices
    };
    std::vector<Run> m_runs;
};

// The Milky Way layer: the picture in slot kMilkyWayTexture on the sphere, turned into place in
// the equatorial frame, grey 0.34 x the daylight level under a daylight sky and 0.35 otherwise,
// with no depth test and no night-vision colouring. With a mesh the shortcuts that only save work
// are taken (the picture is the same).
void DrawMilkyWayLayer(SkyState& state, QuadricShapes& shapes, MilkyWayMesh* mesh);

// Draws the sphere with the texture bound to GL_TEXTURE_2D. `split` off: one plain draw. With a
// mesh, its black facets are left out: only for a frame buffer that is black under the sphere
// and a draw that writes the texture as it is (no blending with what is there).
void DrawMilkyWaySphere(QuadricShapes& shapes, bool split, MilkyWayMesh* mesh = nullptr);

} // namespace nv
