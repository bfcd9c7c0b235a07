// The labels of the Sun, the Moon, the planets and Pluto, and the names of the moons of Jupiter
// and Saturn beside their planets.
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"

namespace nv {

// Grey level of the moons' names at the field of view fov: black at wide fields, visible below
// 16.25 degrees, the same for a flipped (negative) field.
inline float MoonLabelGrey(float fov) {
    return (kWidestFov - 4.0f * (fov < 0 ? -fov : fov)) / 165.0f;
}

// The bodies' labels in yellow at their positions, in the ecliptic frame.
void DrawBodyLabels(const SkyState& state, const astro::CSolarSystem& solar, bool batchLabels = true);
// The moons' names of Jupiter and Saturn, each in its planet's own turned frame.
void DrawMoonLabels(const SkyState& state, const astro::CSolarSystem& solar, bool batchLabels = true);

} // namespace nv
