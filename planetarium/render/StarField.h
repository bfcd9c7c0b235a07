// The catalogue stars: faint stars (fainter than magnitude 6) as single points, brighter ones as
// two crossed eight-pointed glows that fade from the star's colour at the centre to black. Both
// brighten as the view zooms in, and the glows keep a steady size on the screen.
//
// Two ways to draw the same picture: DrawStarsImmediate, one star at a time with its selection
// name (what a pick pass needs), and StarBatch, the render-mode path that draws from client
// arrays (each glow's 15 distinct corners once, its triangles through indices) and leaves out
// the parts of the sky outside the view. The caller sets additive blending
// (GL_SRC_ALPHA, GL_ONE) and turns the depth test off; with those, drawing order does not matter.
#pragma once

#include "planetarium/SkyState.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace nv {

// Brightness B of a star of magnitude m at field of view fov (not clamped).
inline float StarBrightness(float m, float fov) {
    return (13.4f - m) / 13.0f * (1.0f + (kWidestFov - std::fabs(fov)) * 1.83f * 0.01f);
}
// Glow scale S of a star of magnitude m (6 or brighter) at field of view fov.
inline float GlowScale(float m, float fov) {
    return (6.0f - m) * 0.5f * std::fabs(fov) / kWidestFov;
}

// The colour of a star of the given colour class at brightness B.
struct StarRgb {
    float r, g, b;
};
StarRgb StarColour(float spectralClass, float B);

// Stars brighter than or equal to this magnitude are drawn as glows, fainter ones as points.
inline constexpr float kGlowMagnitudeLimit = 6.0f;
// Vertices of one star's glow: 16 triangles.
inline constexpr int kGlowVertices = 48;

// Writes the 48 vertices (positions and colours, 3 floats each) of one star's glow.
void GlowVertices(const StarRecord& star, const StarRgb& colour, float S, float* positions, float* colours);
// How far the corners of a glow of scale S reach from its star (the farthest of GlowVertices'
// corners): S times the reach of a glow of scale 1.
float GlowReachPerScale();
inline float GlowReach(float S) {
    return GlowReachPerScale() * std::fabs(S);
}

// How a catalogue record is drawn: fainter than magnitude 6 as a point (whatever its direction),
// else as a glow, except an empty record (a coordinate exactly 0), which draws nothing.
enum class StarMark { Point, Glow, None };
inline StarMark MarkOf(const StarRecord& s) {
    if (s.magnitude > kGlowMagnitudeLimit) return StarMark::Point;
    return (s.x == 0.0f || s.y == 0.0f || s.z == 0.0f) ? StarMark::None : StarMark::Glow;
}

// One star at a time in catalogue order: glLoadName(i) and its own glBegin/glEnd per star. Loads
// the equatorial frame itself.
void DrawStarsImmediate(const SkyState& state, const SkyCatalog& catalog);

// The star layer: the stars added onto the sky (additive blending, no depth test), from the batch,
// or one star at a time when there is none.
class StarBatch;
void DrawStarLayer(const SkyState& state, const SkyCatalog& catalog, StarBatch* batch);

// The batched star layer. Arrays are built from the catalogue on first use (and after
// Invalidate), the colours and glow shapes again only when |g_fov| changes. The sky is divided
// into cells; a cell whose stars (with their glows) lie wholly outside the view is not drawn.
class StarBatch {
public:
    // Drops the arrays: call after the star table changed.
    void Invalidate() { m_built = false; }
    // Loads the equatorial frame and draws every star (no selection names).
    void Draw(const SkyState& state, const SkyCatalog& catalog);
    int PointCount() const { return static_cast<int>(m_pointPos.size() / 3); }
    int GlowCount() const { return static_cast<int>(m_glowStars.size()); }
    // Cells drawn by the last Draw.
    int CellsDrawn() const { return m_cellsDrawn; }

private:
    struct Cell {
        float cx = 0, cy = 0, cz = 0; // bounding sphere of the cell's stars
        float radius = 0;
        int pointBegin = 0, pointEnd = 0; // in points
        int glowBegin = 0, glowEnd = 0;   // in glow stars
    };
    void Build(const SkyCatalog& catalog);
    void Shape(float fov);
    void CollectVisible(std::vector<int>& cells) const;

    bool m_built = false;
    float m_shapedFov = -1.0f;
    int m_cellsDrawn = 0;
    float m_brightestGlow = kGlowMagnitudeLimit;
    std::vector<Cell> m_cells;
    std::vector<float> m_pointPos, m_pointCol; // 3 floats per point
    std::vector<StarRecord> m_pointStars;      // faint stars in cell order
    std::vector<StarRecord> m_glowStars;       // glow stars in cell order
    std::vector<float> m_glowPos, m_glowCol;   // 15 distinct corners x 3 floats per glow star
    std::vector<unsigned> m_glowIdx;           // 48 corner numbers per glow star
    std::vector<int> m_visible;                // scratch
};

} // namespace nv
