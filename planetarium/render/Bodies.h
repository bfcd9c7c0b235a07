// The Sun, the Moon, the planets and Pluto as textured spheres of their true radii at their
// geocentric positions, each over a glow as bright as a star of its magnitude, the white glows of
// the Sun, Venus, Jupiter and Saturn, Saturn's ring, and the Moon lit by the Sun.
#pragma once

#include "astro/SkyRotation.h"
#include "astro/SolarSystem.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/QuadricShapes.h"
#include "planetarium/render/StarField.h"

#include <array>

namespace nv {

// The order the bodies are drawn in (record indices): the Moon first, the only body lit by the
// Sun, then the others in record order.
inline constexpr std::array<int, astro::kBodyCount> kBodyDrawOrder = {
    astro::kMoon,    astro::kSun,    astro::kMercury, astro::kVenus,   astro::kMars,
    astro::kJupiter, astro::kSaturn, astro::kUranus,  astro::kNeptune, astro::kPluto};

// The glow's spike length around a body drawn with picture t (the Sun, Venus, Jupiter and
// Saturn) at the field of view fov (signed, so a flipped view mirrors it); false for the others.
bool BodyGlowSize(unsigned t, float fov, float& size);
// Vertices of one glow: 16 triangles, each its centre then two outer corners.
inline constexpr int kBodyGlowVertices = 48;
// Writes the 48 vertex positions (3 floats each) of a glow of spike length s around (x, y, z).
void BodyGlowVertices(float x, float y, float z, float s, float* positions);
// Emits the 16 white-to-black triangles of one glow of spike length s, inside an open
// glBegin(GL_TRIANGLES).
void DrawGlow(float x, float y, float z, float s);

// A body's sphere: placed at the body, turned by the whole chain once more, then by these turns
// (they orient the picture on it), in quadric slices and stacks. Saturn's sphere is tilted once
// more; its ring is turned by the tilt, the tilt undone, then its own turn. The ring runs from
// its inner to its outer edge in radii of the globe (the C ring's inner edge to the A ring's
// outer edge).
inline constexpr astro::GlRotation kSphereTurns[] = {{100.0f, 0, 0, 1}, {100.0f, 1, 0, 0}};
inline constexpr astro::GlRotation kSaturnTilt = {50.0f, 0, 1, 0};
inline constexpr astro::GlRotation kSaturnRingTurn = {90.0f, 0, 1, 0};
inline constexpr double kSaturnRingInner = 1.24, kSaturnRingOuter = 2.27;
inline constexpr int kSphereSlices = 32, kSphereStacks = 32, kRingLoops = 32;

// Draws one body: its glow (Sun, Venus, Jupiter, Saturn), then its textured sphere of radius r.
// Sets m_texture to t. With `leaveOutHidden`, a body wholly outside the view sends no vertices
// (its state changes are still made).
void DrawBody(SkyState& state, QuadricShapes& shapes, float x, float y, float z, unsigned t, float r,
              bool leaveOutHidden = true);

// All ten bodies from the calculator's records, the Moon lit by light 1 at the Sun.
void DrawBodies(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                bool leaveOutHidden = true);

// True when the glow of a star of the body's magnitude reaches farther from its centre than the
// body's disc (Saturn's: its ring) at the state's field of view.
bool GlowOutreachesBody(const SkyState& state, const astro::BodyPosition& b, int body);

// How DrawBodiesAsStars draws a body where a pixel spans pixelAngle: as `star`, the unit
// direction of date with the body's tint and magnitude, marked as a glow of scale `scale`, a point
// (fainter than magnitude 6, or a glow under a pixel) or nothing (no direction).
struct BodyStar {
    StarRecord star;
    StarMark mark;
    float scale;
};
BodyStar BodyStarOf(const SkyState& state, const astro::BodyPosition& b, int body, float pixelAngle);

// The bodies whose glow outreaches their disc (`outreaching`) or the others, each drawn as a star of
// its visual magnitude and tint would be drawn (a glow, or a point when fainter than magnitude 6)
// in its direction of date, added onto the sky with the body's selection name. Not faded by the
// daylight: the Sun, the Moon and the planets stay by day.
void DrawBodiesAsStars(const SkyState& state, const astro::CSolarSystem& solar, bool outreaching,
                       bool leaveOutHidden = true);

// Every body at least as a star of its magnitude would be drawn: the glows smaller than their
// body (DrawBodiesAsStars), the bodies (DrawBodies), then the glows larger than their body. The
// pick follows this order.
void DrawBodiesOverTheirStars(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                              bool leaveOutHidden = true);

// The solar-system layer: the bodies' labels, the moons' names, then every body at least as a star
// of its magnitude would be drawn: the glows smaller than their body, the spheres and the ring over
// them, then the glows larger than their body over those. With `fastPaths`, labels are drawn a run
// at a time and bodies outside the view send nothing.
void DrawSolarSystem(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                     bool fastPaths = true);

} // namespace nv
