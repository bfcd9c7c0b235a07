// The proper names of the named stars, in grey beside each star.
#pragma once

#include "planetarium/SkyState.h"

#include <vector>

namespace nv {

class StarLabels {
public:
    // The names changed: the list of named stars is found again at the next draw.
    void Invalidate() { m_valid = false; }
    // Every non-empty name at its star, in Hipparcos order, in the equatorial frame.
    void Draw(const SkyState& state, const SkyCatalog& catalog, bool batchLabels = true);

private:
    std::vector<int> m_named; // Hipparcos numbers that have a name
    bool m_valid = false;
};

} // namespace nv
