#include "Constellations.h"

#include "SkyFrames.h"
#include "planetarium/catalog/tables/ConstellationTable.h"

#include <GL/gl.h>

namespace nv {

CConstellations::CConstellations()
    : m_starCopy(std::make_unique<std::array<StarRecord, kCatalogueLines>>()) {}

void CConstellations::CopyStars(const SkyCatalog& catalog) {
    for (int i = 0; i < kCatalogueLines; ++i) (*m_starCopy)[i] = catalog.m_stars[i];
}

void CConstellations::DrawLines() const {
    const auto& stars = *m_starCopy;
    for (const auto& pair : kConstellationPairs) {
        for (int end = 0; end < 2; ++end) {
            const int hip = pair[end];
            // The table holds catalogue numbers only; anything else draws at the origin (hidden).
            const StarRecord s = (hip >= 0 && hip < kCatalogueLines) ? stars[hip] : StarRecord{};
            glVertex3f(s.x, s.y, s.z);
        }
    }
}

const Vec3f& ConstellationAnchor(int k) {
    static const auto anchors = [] {
        std::array<Vec3f, kConstellationLabelCount> a{};
        for (int i = 0; i < kConstellationLabelCount; ++i)
            a[i] = SkyDirection(kConstellationLabels[i].raHours * 15.0, kConstellationLabels[i].decDeg);
        return a;
    }();
    return anchors[k];
}

void DrawConstellationLines(const SkyState& s, const CConstellations& figures) {
    LoadFrame(s, SkyFrame::Equatorial);
    NightColour(s, 0.4f, 0.4f, 1.0f, 0.4f);
    glBegin(GL_LINES);
    figures.DrawLines();
    glEnd();
}

void DrawConstellationNames(const SkyState& s, bool batchLabels) {
    LoadFrame(s, SkyFrame::Equatorial);
    NightColour(s, 0.9f, 0.9f, 1.0f, 0.9f);
    const platform::TextBatch labels(batchLabels);
    for (int k = 0; k < kConstellationLabelCount; ++k) {
        const Vec3f& v = ConstellationAnchor(k);
        glRasterPos3f(v.x, v.y, v.z);
        PrintLabel("%s", kConstellationLabels[k].text);
    }
}

} // namespace nv
