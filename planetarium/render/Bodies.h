// The Sun, the Moon, the planets and Pluto as textured spheres at their geocentric positions, the
// white glows of the Sun, Venus, Jupiter and Saturn, Saturn's ring, and the Moon lit by the Sun.
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"

#include <vector>

struct GLUquadric;

namespace nv {

// Selection names of the bodies.
inline constexpr unsigned kSunName = 118330;
inline constexpr unsigned kMoonName = 118331;
// Texture slots of the bodies (Pluto shares Neptune's picture).
inline constexpr int kSunTexture = 4, kMercuryTexture = 5, kVenusTexture = 6, kMarsTexture = 7,
                     kJupiterTexture = 8, kSaturnTexture = 9, kUranusTexture = 10, kNeptuneTexture = 11,
                     kMoonTexture = 12;

// GLU spheres and discs of the one quadric, each shape compiled once into a display list and
// replayed (the same vertices as calling GLU every frame).
class QuadricShapes {
public:
    QuadricShapes() = default;
    QuadricShapes(const QuadricShapes&) = delete;
    QuadricShapes& operator=(const QuadricShapes&) = delete;

    void SetQuadric(GLUquadric* quadric) { m_quadric = quadric; }
    GLUquadric* Quadric() const { return m_quadric; }
    void Sphere(double radius, int slices, int stacks);
    void Disk(double inner, double outer, int slices, int loops);
    // Deletes the lists (the context that made them must be current).
    void Release();
    // Forgets the lists without deleting them (their context is gone).
    void Forget() { m_lists.clear(); }

private:
    struct Entry {
        int kind;
        double a, b;
        int c, d;
        unsigned list;
    };
    unsigned ListFor(int kind, double a, double b, int c, int d);
    GLUquadric* m_quadric = nullptr;
    std::vector<Entry> m_lists;
};

// Emits the 16 white-to-black triangles of one glow of spike length s, inside an open
// glBegin(GL_TRIANGLES).
void DrawGlow(float x, float y, float z, float s);

// Draws one body: its glow (Sun, Venus, Jupiter, Saturn), then its textured sphere of radius r.
// Sets m_texture to t. With `leaveOutHidden`, a body wholly outside the view sends no vertices
// (its state changes are still made).
void DrawBody(SkyState& state, QuadricShapes& shapes, float x, float y, float z, int t, float r,
              bool leaveOutHidden = true);

// All ten bodies from the calculator's records, the Moon lit by light 1 at the Sun.
void DrawBodies(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                bool leaveOutHidden = true);

} // namespace nv
