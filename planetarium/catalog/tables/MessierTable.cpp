#include "MessierTable.h"

namespace nv {

void FillMessierTable(std::array<Vec3f, kMessierCount>& centre,
                      std::array<std::array<Vec3f, 4>, kMessierCount>& corners) {
    for (int i = 0; i < kMessierCount; ++i) {
        const MessierRow& r = kMessierRows[i];
        centre[i] = SkyDirection(r.raDeg, r.decDeg);
    }
    for (int i = 0; i < kMessierCount; ++i) {
        const MessierRow& r = kMessierRows[i];
        corners[i][0] = SkyDirection(r.ra1, r.dec1);
        corners[i][1] = SkyDirection(r.ra1, r.dec2);
        corners[i][2] = SkyDirection(r.ra2, r.dec2);
        corners[i][3] = SkyDirection(r.ra2, r.dec1);
    }
}

} // namespace nv
