// The three model-view set-ups every layer starts from (horizon, equatorial, ecliptic), the
// night-vision colour rule and the sky-chain inputs taken from the sky state.
#pragma once

#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"

namespace nv {

enum class SkyFrame { Horizon, Equatorial, Ecliptic };

// The chain's inputs for the state's camera, place and sidereal angle.
astro::ChainInputs ChainOf(const SkyState& state);

// Loads the identity, optionally glTranslatef(m_eyeX, m_eyeY, m_eyeZ), then the frame's rotations.
void LoadFrame(const SkyState& state, SkyFrame frame, bool eyeTranslation = true);
// Multiplies the current model-view matrix by the latitude and localSiderealRotation rotations
// (horizon frame to equatorial frame).
void ApplyHorizonToEquatorial(const SkyState& state);
// Multiplies the current model-view matrix by the four fixed rotations (equatorial frame to
// ecliptic frame).
void ApplyEquatorialToEcliptic();

// glColor3f(r, g, b), or (night, 0, 0) while night vision is on.
void NightColour(const SkyState& state, float r, float g, float b, float night);

} // namespace nv
