// The pick as the graphics pipeline's selection mode answers it, drawn by the renderer's own calls
// (bodies, stars, Messier pictures), for comparison with the processor's pick. Needs a current
// compatibility-profile context whose viewport is the state's view size.
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/QuadricShapes.h"

#include <memory>
#include <vector>

namespace nvtest {

// The names of every hit record, in drawing order, for a pick box of w x h pixels centred on
// (x, y) (y down, as the pointer is read).
std::vector<int> SelectionHits(nv::SkyState& s, const nv::SkyCatalog& catalog,
                               const astro::CSolarSystem& solar, nv::QuadricShapes& shapes, double x,
                               double y, double w, double h);

// The name of the first hit in the 5 x 5 pixel box centred on (x, y), or kPickNone.
int SelectionPick(nv::SkyState& s, const nv::SkyCatalog& catalog, const astro::CSolarSystem& solar,
                  nv::QuadricShapes& shapes, int x, int y);

// A copy of the catalogue with only the stars among `names`: for any box inside the one that found
// `names` it answers as the whole catalogue does, much faster.
std::unique_ptr<nv::SkyCatalog> KeepOnlyStars(const nv::SkyCatalog& catalog, const std::vector<int>& names);

} // namespace nvtest
