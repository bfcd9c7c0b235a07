// The catalogue stars: faint stars (fainter than magnitude 6) as single points, brighter ones as
// an eight-pointed glow in the plane facing the eye that fades from the star's colour at the
// centre to black. Both brighten as the view zooms in, the glows keep a steady size on the
// screen, and both fade while the daylight sky is up (DayLight.h).
//
// Two ways to draw the same picture: DrawStarsImmediate, one star at a time with its selection
// name (what a pick pass needs), and StarBatch, the render-mode path that draws from client
// arrays (each glow's 9 distinct corners once, its triangles through indices) and leaves out
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
// Vertices of one star's glow: 8 triangles.
inline constexpr int kGlowVertices = 24;
// Writes the 24 vertices (positions and colours, 3 floats each) of one star's glow: 8 triangles
// from the star, in its colour, to two of 8 points around it, in black, in the plane through the
// star across its direction. The points lie at a = 0.01 S on the axes and d = 0.015 S on both
// axes of the diagonals; the first axis runs along the star's parallel of declination (+x at
// right ascension 0), the second along its meridian (+y at right ascension 0), so a star at
// right ascension 0 on the equator has the glow of the x-y plane. Every glow, the bodies' too,
// comes from here.
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

// The angle one pixel spans at the centre of a viewport `viewportHeight` pixels high for the field
// fov (radians), and the same for the current viewport.
float PixelAngle(float fov, int viewportHeight);
float PixelAngle(float fov);
// A glow that reaches less than a pixel from its star may light no pixel at all: such a star (of
// magnitude 6 or just brighter) is drawn as a point instead, so no star of magnitude 6 or brighter
// is ever lost.
inline bool GlowUnderAPixel(float S, float pixelAngle) {
    return GlowReach(S) < pixelAngle;
}
// How a record is drawn at the field fov where a pixel spans pixelAngle: as MarkOf says, with a
// glow under a pixel drawn as a point.
inline StarMark MarkAt(const StarRecord& s, float fov, float pixelAngle) {
    const StarMark mark = MarkOf(s);
    if (mark == StarMark::Glow && GlowUnderAPixel(GlowScale(s.magnitude, fov), pixelAngle))
        return StarMark::Point;
    return mark;
}

// The colour a star of magnitude m and colour class `cls` is drawn in at field fov, with the
// share `fade` of its light that the daylight leaves (1 at night).
inline StarRgb StarColourAt(float cls, float m, float fov, float fade) {
    return StarColour(cls, StarBrightness(m, fov) * fade);
}

// One star at a time in catalogue order: glLoadName(i) and its own glBegin/glEnd per star. Loads
// the equatorial frame itself.
void DrawStarsImmediate(const SkyState& state, const SkyCatalog& catalog);

// The star layer: the stars added onto the sky (additive blending, no depth test), from the batch,
// or one star at a time when there is none.
class StarBatch;
void DrawStarLayer(const SkyState& state, const SkyCatalog& catalog, StarBatch* batch);

// The batched star layer. Arrays are built from the catalogue on first use (and after
// Invalidate), the colours and glow shapes again only when |g_fov| or the daylight's star limit
// changes (or the pixel's size, which decides the glows drawn as points). The sky is divided
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
    void Shape(float fov, float dayLightLimit, float pixelAngle);
    void CollectVisible(std::vector<int>& cells) const;

    bool m_built = false;
    float m_shapedFov = -1.0f;
    float m_shapedLimit = 0.0f; // the daylight's faintest magnitude the colours were made for
    float m_shapedPixel = 0.0f; // the pixel's angle the glows were sorted from points by
    int m_cellsDrawn = 0;
    float m_brightestGlow = kGlowMagnitudeLimit;
    std::vector<Cell> m_cells;
    std::vector<float> m_pointPos, m_pointCol; // 3 floats per point
    std::vector<StarRecord> m_pointStars;      // faint stars in cell order
    std::vector<StarRecord> m_glowStars;       // glow stars in cell order
    std::vector<float> m_glowPos, m_glowCol;   // 9 distinct corners x 3 floats per glow star
    std::vector<unsigned> m_glowIdx;           // 24 corner numbers per glow star
    std::vector<float> m_tinyPos, m_tinyCol;   // glow stars drawn as points (glows under a pixel)
    std::vector<int> m_visible;                // scratch
};

} // namespace nv
