#include "astro/SkyRotation.h"

#include <algorithm>
#include <cmath>

namespace astro {

float LocalSiderealRotation(float siderealAngle, double longitude) {
    return static_cast<float>(static_cast<double>(siderealAngle) + longitude);
}

std::array<GlRotation, 8> SkyRotationSteps(const ChainInputs& in) {
    return {{
        {in.viewPitch + 180.0f, 1, 0, 0},
        {in.viewYaw, 0, 1, 0},
        {static_cast<float>(in.latitude - 90.0f), 0, 0, 1},
        {in.localSiderealRotation, 0, 1, 0},
        {90.0f, 1, 0, 0},
        {270.0f, 0, 0, 1},
        {-kObliquity, 1, 0, 0},
        {180.0f, 0, 0, 1},
    }};
}

FrameSteps SkyFrameSteps(const ChainInputs& in, SkyFrame frame) {
    const auto all = SkyRotationSteps(in);
    FrameSteps f;
    const int shared = frame == SkyFrame::Horizon ? 2 : 4;
    for (int k = 0; k < shared; ++k) f.step[f.count++] = all[k];
    if (frame == SkyFrame::Equatorial) f.step[f.count++] = in.precession;
    if (frame == SkyFrame::Ecliptic)
        for (int k = 4; k < 8; ++k) f.step[f.count++] = all[k];
    return f;
}

std::array<float, 16> Mat4::ToFloat() const {
    std::array<float, 16> f{};
    for (int k = 0; k < 16; ++k) f[k] = static_cast<float>(m[k]);
    return f;
}

Vec3 Mat4::Apply(const Vec3& v) const {
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
            m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]};
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += a.m[k * 4 + row] * b.m[c * 4 + k];
            r.m[c * 4 + row] = s;
        }
    return r;
}

Mat4 RotationMatrix(double angleDeg, double x, double y, double z) {
    Mat4 r;
    const double len = std::sqrt(x * x + y * y + z * z);
    if (!(len > 0)) return r;
    x /= len;
    y /= len;
    z /= len;
    const double c = std::cos(angleDeg * g_degToRad), s = std::sin(angleDeg * g_degToRad), t = 1 - c;
    // column-major
    r.m = {x * x * t + c,
           y * x * t + z * s,
           x * z * t - y * s,
           0, //
           x * y * t - z * s,
           y * y * t + c,
           y * z * t + x * s,
           0, //
           x * z * t + y * s,
           y * z * t - x * s,
           z * z * t + c,
           0, //
           0,
           0,
           0,
           1};
    return r;
}

Mat4 TranslationMatrix(double x, double y, double z) {
    Mat4 r;
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Mat4 SkyRotation(const ChainInputs& in, SkyFrame frame) {
    Mat4 r;
    ApplySkyRotation(in, frame,
                     [&r](float a, float x, float y, float z) { r = r * RotationMatrix(a, x, y, z); });
    return r;
}

Vec3 EquatorialVector(double raDeg, double decDeg) {
    const double cd = CosD(decDeg);
    return {-cd * SinD(raDeg), -SinD(decDeg), cd * CosD(raDeg)};
}

void RaDecFromVector(const Vec3& v, double& raDeg, double& decDeg) {
    const double len = Length(v);
    raDeg = -Atan2D(v.x, v.z);
    decDeg = len > 0 ? -AsinD(std::clamp(v.y / len, -1.0, 1.0)) : 0.0;
}

namespace {

// Applies rotation steps 5..8 (the fixed ecliptic-to-equatorial part).
const Mat4& EclipticMatrix() {
    static const Mat4 m = RotationMatrix(90, 1, 0, 0) * RotationMatrix(270, 0, 0, 1) *
                          RotationMatrix(-kObliquity, 1, 0, 0) * RotationMatrix(180, 0, 0, 1);
    return m;
}

// Steps 3 and 4 with the single-precision degree factor, as the readout computes them.
Vec3 RotZ(const Vec3& v, double rad) {
    const double c = std::cos(rad), s = std::sin(rad);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}
Vec3 RotY(const Vec3& v, double rad) {
    const double c = std::cos(rad), s = std::sin(rad);
    return {v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
}
Vec3 RotX(const Vec3& v, double rad) {
    const double c = std::cos(rad), s = std::sin(rad);
    return {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

} // namespace

Vec3 EclipticToEquatorial(const Vec3& ecl) {
    return EclipticMatrix().Apply(ecl);
}

Vec3 CatalogueToDate(const Vec3& catalogue, const ChainInputs& in) {
    return Rotated(in.precession, catalogue);
}

Vec3 DateToCatalogue(const Vec3& ofDate, const ChainInputs& in) {
    return RotatedBack(in.precession, ofDate);
}

Vec3 EquatorialToHorizon(const Vec3& equ, double latitude, float lsr) {
    const Vec3 a = RotY(equ, static_cast<double>(lsr) * kDegToRadF);
    return RotZ(a, static_cast<double>(static_cast<float>(latitude - 90.0f)) * kDegToRadF);
}

Vec3 HorizonToEquatorial(const Vec3& hor, double latitude, float lsr) {
    const Vec3 a = RotZ(hor, -static_cast<double>(static_cast<float>(latitude - 90.0f)) * kDegToRadF);
    return RotY(a, -static_cast<double>(lsr) * kDegToRadF);
}

void AltAzFromHorizon(const Vec3& h, double& altDeg, double& azDeg) {
    const double len = Length(h);
    altDeg = len > 0 ? AsinD(std::clamp(-h.y / len, -1.0, 1.0)) : 0.0;
    azDeg = Reduce360(Atan2D(h.z, -h.x));
}

void CatalogueAltAz(double raDeg, double decDeg, const LocalClock& clock, const ObserverPlace& place,
                    double& altDeg, double& azDeg) {
    ChainInputs in;
    in.latitude = place.latitude;
    in.localSiderealRotation = LocalSiderealRotation(SiderealAngle(clock, place.gmtOffset), place.longitude);
    in.precession = PrecessionRotation(UtJulianDay(clock, place.gmtOffset));
    const Vec3 ofDate = CatalogueToDate(EquatorialVector(raDeg, decDeg), in);
    AltAzFromHorizon(EquatorialToHorizon(ofDate, in.latitude, in.localSiderealRotation), altDeg, azDeg);
}

void CameraAnglesForTarget(const Vec3& catalogue, const ChainInputs& in, float& pitch, float& yaw) {
    const Vec3 h = EquatorialToHorizon(CatalogueToDate(catalogue, in), in.latitude, in.localSiderealRotation);
    const double len = Length(h);
    pitch = static_cast<float>(len > 0 ? AsinD(std::clamp(h.y / len, -1.0, 1.0)) : 0.0);
    yaw = static_cast<float>(Atan2D(h.z, h.x) - 90.0);
}

Vec3 ViewCentreDirection(const ChainInputs& in) {
    Vec3 e{0, 0, -1};
    e = RotX(e, -static_cast<double>(in.viewPitch + 180.0f) * g_degToRad);
    e = RotY(e, -static_cast<double>(in.viewYaw) * g_degToRad);
    return DateToCatalogue(HorizonToEquatorial(e, in.latitude, in.localSiderealRotation), in);
}

float SunDepression(const Vec3& sunEcliptic, double latitude, float lsr) {
    const Vec3 equ = EclipticToEquatorial(sunEcliptic);
    return static_cast<float>(EquatorialToHorizon(equ, latitude, lsr).y);
}

namespace {

// v - floor(v * 0.0027777778) * 360 with the single-precision 1/360; kept inside [0, 360).
double ReduceF(double v) {
    double r = v - std::floor(v * static_cast<double>(0.0027777778f)) * 360.0;
    if (r < 0) r += 360.0;
    if (r >= 360.0) r -= 360.0;
    return r;
}

} // namespace

ViewCentreReadout UpdateViewCentreReadout(const ChainInputs& in, bool altAziMode) {
    ViewCentreReadout r;
    if (altAziMode) {
        double alt = ReduceF(360.0 - in.viewPitch);
        if (alt > 180.0) alt -= 360.0;
        const double az = ReduceF(360.0 - (static_cast<double>(in.viewYaw) - 90.0));
        r.first = alt;
        r.second = az;
        return r;
    }
    const Vec3 v = ViewCentreDirection(in);
    const double len = Length(v);
    float ra = static_cast<float>(Atan2D(v.z, v.x) - 90.0);
    ra = static_cast<float>(ReduceF(ra));
    if (ra >= 360.0f) ra = 0.0f; // never show 24 h
    const double hours = static_cast<double>(ra) * static_cast<double>(0.06666667f);
    double d = ReduceF(len > 0 ? AsinD(std::clamp(v.y / len, -1.0, 1.0)) : 0.0);
    double dec = 360.0 - d;
    if (dec > 180.0) dec -= 360.0;
    r.first = hours;
    r.second = dec;
    return r;
}

} // namespace astro
