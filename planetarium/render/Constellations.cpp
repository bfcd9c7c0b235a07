#include "Constellations.h"

#include "planetarium/catalog/tables/ConstellationTable.h"

#include <GL/gl.h>
#include <cmath>

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
        for (int i = 0; i < kConstellationLabelCount; ++i) {
            const double ra = kConstellationLabels[i].raHours * 15.0 * g_degToRad;
            const double dec = kConstellationLabels[i].decDeg * g_degToRad;
            a[i] = {static_cast<float>(-std::cos(dec) * std::sin(ra)), static_cast<float>(-std::sin(dec)),
                    static_cast<float>(std::cos(dec) * std::cos(ra))};
        }
        return a;
    }();
    return anchors[k];
}

} // namespace nv
