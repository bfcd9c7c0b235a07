// The constellation figures (654 segments between catalogue stars) and the anchors of the 88
// constellation names.
#pragma once

#include "planetarium/SkyState.h"

#include <array>
#include <memory>

namespace nv {

class CConstellations {
public:
    CConstellations();
    // Copies the view's star table, every record below Hipparcos number 118321. Done once after
    // the catalogue has loaded; later edits of the view's table do not reach the figures.
    void CopyStars(const SkyCatalog& catalog);
    // Two glVertex3f calls per segment, in list order, inside the caller's glBegin(GL_LINES).
    void DrawLines() const;

    // The copy: only x, y and z are read.
    std::unique_ptr<std::array<StarRecord, kCatalogueLines>> m_starCopy;
};

// Anchor of constellation label k (drawing order) in the equatorial frame.
const Vec3f& ConstellationAnchor(int k);

// The figures' lines in blue in the equatorial frame.
void DrawConstellationLines(const SkyState& state, const CConstellations& figures);
// The 88 names at their anchors.
void DrawConstellationNames(const SkyState& state, bool batchLabels = true);

} // namespace nv
