#include "MessierTable.h"

#include <cmath>

namespace nv {

Vec3f MessierUnitVector(double raDeg, double decDeg) {
    const double a = raDeg * g_degToRad;
    const double d = decDeg * g_degToRad;
    return {static_cast<float>(-std::cos(d) * std::sin(a)), static_cast<float>(-std::sin(d)),
            static_cast<float>(std::cos(d) * std::cos(a))};
}

void FillMessierTable(std::array<Vec3f, kMessierCount>& centre,
                      std::array<std::array<Vec3f, 4>, kMessierCount>& corners) {
    for (int i = 0; i < kMessierCount; ++i) {
        const MessierRow& r = kMessierRows[i];
        centre[i] = MessierUnitVector(r.raDeg, r.decDeg);
    }
    for (int i = 0; i < kMessierCount; ++i) {
        const MessierRow& r = kMessierRows[i];
        corners[i][0] = MessierUnitVector(r.ra1, r.dec1);
        corners[i][1] = MessierUnitVector(r.ra1, r.dec2);
        corners[i][2] = MessierUnitVector(r.ra2, r.dec2);
        corners[i][3] = MessierUnitVector(r.ra2, r.dec1);
    }
}

} // namespace nv
