// The Messier objects' pictures: M1 to M109, each a textured quad over its picture box, grey
// (65 - 4 |g_fov|) / 65 so that they are invisible at wide fields and brighten as the view
// narrows. The caller sets additive blending, texturing on and the depth test off.
#pragma once

#include "planetarium/SkyObjects.h"
#include "planetarium/SkyState.h"

namespace nv {

// Grey level of the pictures at the field of view fov.
inline float MessierGrey(float fov) {
    return (kWidestFov - 4.0f * (fov < 0 ? -fov : fov)) / kWidestFov;
}

// Draws the pictures with their selection names, at the grey level faded by the daylight sky
// (DayLightPictureFade). With `skipInvisible`, nothing is drawn while the grey level is zero or
// below (it would add black).
void DrawMessiers(const SkyState& state, const SkyCatalog& catalog, bool skipInvisible = true);

// The Messier layer: the pictures added onto the sky (additive blending, textured, no depth test).
void DrawMessierLayer(const SkyState& state, const SkyCatalog& catalog);
// The labels " M1" to " M109" in white at the objects' centres.
void DrawMessierNames(const SkyState& state, const SkyCatalog& catalog, bool batchLabels = true);

} // namespace nv
