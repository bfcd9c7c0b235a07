// The Sun, the Moon, the planets and Pluto as textured spheres of their true radii at their
// geocentric positions, each over a glow as bright as a star of its magnitude, the white glows of
// the Sun, Venus, Jupiter and Saturn, Saturn's ring, and the Moon lit by the Sun.
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/QuadricShapes.h"

namespace nv {

// Emits the 16 white-to-black triangles of one glow of spike length s, inside an open
// glBegin(GL_TRIANGLES).
void DrawGlow(float x, float y, float z, float s);

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

// The bodies whose glow outreaches their disc (`outreaching`) or the others, each drawn as a star of
// its visual magnitude and tint would be drawn (a glow, or a point when fainter than magnitude 6)
// in its direction of date, added onto the sky with the body's selection name. Not faded by the
// daylight: the Sun, the Moon and the planets stay by day.
void DrawBodiesAsStars(const SkyState& state, const astro::CSolarSystem& solar, bool outreaching,
                       bool leaveOutHidden = true);

// The solar-system layer: the bodies' labels, the moons' names, then every body at least as a star
// of its magnitude would be drawn: the glows smaller than their body, the spheres and the ring over
// them, then the glows larger than their body over those. With `fastPaths`, labels are drawn a run
// at a time and bodies outside the view send nothing.
void DrawSolarSystem(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                     bool fastPaths = true);

} // namespace nv
