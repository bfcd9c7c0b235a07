// The Sun, the Moon, the planets and Pluto as textured spheres at their geocentric positions, the
// white glows of the Sun, Venus, Jupiter and Saturn, Saturn's ring, and the Moon lit by the Sun.
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

// The solar-system layer: the bodies' labels, the moons' names, then the bodies. With
// `fastPaths`, labels are drawn a run at a time and bodies outside the view send nothing.
void DrawSolarSystem(SkyState& state, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                     bool fastPaths = true);

} // namespace nv
