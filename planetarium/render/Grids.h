// The horizon's compass words and the line overlays of the frame: the eyepiece circle, the
// altitude/azimuth and RA/Dec grids with their labels, the ecliptic and the horizon ring.
#pragma once

#include "planetarium/SkyState.h"

namespace nv {

// The value printed along a meridian at angle u (whole degrees): the altitude or declination.
int MeridianLabelValue(int u);

// "East", "West", "South" and "North" just above the horizon, always drawn.
void DrawCompass(const SkyState& state, bool batchLabels = true);
void DrawEyepiece(const SkyState& state);
// `batchLabels`: each run of labels between two circles is drawn in one pass (the same pixels).
void DrawAltAziGrid(const SkyState& state, bool batchLabels = true);
void DrawRaDecGrid(const SkyState& state, bool batchLabels = true);
void DrawEcliptic(const SkyState& state);
void DrawHorizonRing(const SkyState& state);

} // namespace nv
