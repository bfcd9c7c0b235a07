#include "StarLabels.h"

#include "SkyFrames.h"

#include <GL/gl.h>

namespace nv {

void StarLabels::Draw(const SkyState& s, const SkyCatalog& catalog, bool batchLabels) {
    if (!m_valid) {
        m_named.clear();
        for (int i = 0; i < kCatalogueLines; ++i)
            if (!catalog.m_starNames[i].empty()) m_named.push_back(i);
        m_valid = true;
    }
    LoadFrame(s, SkyFrame::Equatorial);
    NightColour(s, 0.7f, 0.7f, 0.7f, 0.7f);
    const platform::TextBatch labels(batchLabels);
    for (const int i : m_named) {
        const StarRecord& star = catalog.m_stars[i];
        glRasterPos3f(star.x, star.y, star.z);
        PrintLabel("%s", catalog.m_starNames[i].c_str());
    }
}

} // namespace nv
