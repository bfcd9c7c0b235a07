// The Messier objects' pictures: M1 to M109, each a textured quad over its picture box, grey
// (65 - 4 |g_fov|) / 65 so that they are invisible at wide fields and brighten as the view
// narrows. The caller sets additive blending, texturing on and the depth test off.
#pragma once

#include "planetarium/SkyState.h"

namespace nv {

// Pictures drawn (the 110th is loaded but never drawn) and the selection-name base.
inline constexpr int kMessierDrawn = 109;
inline constexpr unsigned kMessierNameBase = 118499;

// Grey level of the pictures at the field of view fov.
inline float MessierGrey(float fov) {
    return (65.0f - 4.0f * (fov < 0 ? -fov : fov)) / 65.0f;
}

// Draws the pictures with their selection names. With `skipInvisible`, nothing is drawn while the
// grey level is zero or below (it would add black).
void DrawMessiers(const SkyState& state, const SkyCatalog& catalog, bool skipInvisible = true);

} // namespace nv
