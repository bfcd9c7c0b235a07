// The pick as the graphics pipeline's selection mode answers it, for comparison with the
// processor's pick: a pick matrix around the pointer on the sky projection, the bodies (with the
// stars they are drawn as), the stars and the Messier pictures drawn with their selection names by
// the renderer's own drawing calls, and the name of the first hit record. Needs a current
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

// A copy of the catalogue that keeps only the stars among `names` (the others are emptied, so the
// star pass draws nothing for them). A pass over it answers as a pass over the whole catalogue for
// any box inside the one that found `names`, much faster.
std::unique_ptr<nv::SkyCatalog> KeepOnlyStars(const nv::SkyCatalog& catalog, const std::vector<int>& names);

} // namespace nvtest
