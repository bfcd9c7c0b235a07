// The rotation chain that carries catalogue directions and ecliptic positions to the eye.
//
// Frames:
//  - equatorial (catalogue): a direction of right ascension a and declination d is the unit vector
//    (-cos d sin a, -sin d, cos d cos a) on the mean equator and equinox of J2000; the north
//    celestial pole is -y. The stars, the Messier objects, the Milky Way, the constellations and
//    the RA/Dec grid are drawn in it.
//  - equatorial of date: the same axes for the mean equator and equinox of the sky clock's date.
//  - ecliptic: geocentric ecliptic rectangular coordinates of date in AU (+x vernal equinox, +z
//    north ecliptic pole).
//  - horizon: the horizon is the plane y = 0, the zenith -y, north -x, east +z, south +x, west -z.
//  - eye: looks along -z with +y up the screen.
//
// SkyRotation is this exact sequence of OpenGL calls, each multiplying the model-view matrix on
// the right (so the last acts first on a vertex). A layer starts from the identity, optionally
// glTranslatef(m_eyeX, m_eyeY, m_eyeZ), then:
//    horizon frame:             1. glRotatef(m_viewPitch + 180, 1, 0, 0)
//                               2. glRotatef(m_viewYaw, 0, 1, 0)
//    equatorial frame of date:  3. glRotatef(g_latitude - 90, 0, 0, 1)
//                               4. glRotatef(localSiderealRotation, 0, 1, 0)
//    equatorial frame:          5. glRotatef(precession angle, precession axis)   (J2000 to date)
//    ecliptic frame:            after step 4: glRotatef(90, 1, 0, 0); glRotatef(270, 0, 0, 1);
//                               glRotatef(-23.4393, 1, 0, 0); glRotatef(180, 0, 0, 1)
// localSiderealRotation = g_siderealAngle + g_longitude (east positive); the zenith then has
// declination g_latitude and right ascension localSiderealRotation - 90 (of date), the local mean
// sidereal time. ApplySkyRotation hands the steps to a callback (e.g. one that calls glRotatef);
// SkyRotation returns the same product as a column-major matrix for glMultMatrixd/glLoadMatrixd.
#pragma once

#include "astro/AstroMath.h"
#include "astro/Precession.h"
#include "astro/SkyClock.h"

#include <array>

namespace astro {

// Obliquity of the ecliptic, the single-precision value the chain uses.
inline constexpr float kObliquity = 23.4393f;

enum class SkyFrame { Horizon, EquatorialOfDate, Equatorial, Ecliptic };

// The inputs of the chain.
struct ChainInputs {
    float viewPitch = 0.0f;
    float viewYaw = 0.0f;
    double latitude = 0.0;
    float localSiderealRotation = 0.0f;
    // From the catalogue's equator to the equator of date (PrecessionRotation); none by default.
    GlRotation precession{0.0f, 0.0f, 1.0f, 0.0f};
};

// g_siderealAngle + g_longitude, as handed to OpenGL.
float LocalSiderealRotation(float siderealAngle, double longitude);

// The eight steps of the ecliptic frame in call order.
std::array<GlRotation, 8> SkyRotationSteps(const ChainInputs& in);

// The steps of one frame in call order.
struct FrameSteps {
    std::array<GlRotation, 8> step{};
    int count = 0;
};
FrameSteps SkyFrameSteps(const ChainInputs& in, SkyFrame frame);

// Calls rotate(angle, x, y, z) for the steps of the frame, in order.
template <class Rotate> void ApplySkyRotation(const ChainInputs& in, SkyFrame frame, Rotate&& rotate) {
    const FrameSteps steps = SkyFrameSteps(in, frame);
    for (int k = 0; k < steps.count; ++k)
        rotate(steps.step[k].angle, steps.step[k].x, steps.step[k].y, steps.step[k].z);
}

// Column-major 4x4 matrix (OpenGL order: element (row r, column c) at m[c * 4 + r]).
struct Mat4 {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<float, 16> ToFloat() const;
    Vec3 Apply(const Vec3& v) const; // rotation/translation of a point
};
Mat4 operator*(const Mat4& a, const Mat4& b);
// The matrix glRotatef(angle, x, y, z) multiplies by (axis normalised, angle in degrees).
Mat4 RotationMatrix(double angleDeg, double x, double y, double z);
Mat4 TranslationMatrix(double x, double y, double z);
// The product of the frame's steps (no eye translation).
Mat4 SkyRotation(const ChainInputs& in, SkyFrame frame);

// Processor-side pieces of the chain (double precision).
Vec3 EquatorialVector(double raDeg, double decDeg);
// a = -atan2(x, z) and d = -asin(y / |v|), degrees (a in (-180, 180]).
void RaDecFromVector(const Vec3& v, double& raDeg, double& decDeg);
// The ecliptic steps: ecliptic to equatorial of date.
Vec3 EclipticToEquatorial(const Vec3& ecl);
// Step 5 and back: a catalogue (J2000) direction to the equator of date, and back.
Vec3 CatalogueToDate(const Vec3& catalogue, const ChainInputs& in);
Vec3 DateToCatalogue(const Vec3& ofDate, const ChainInputs& in);
// Steps 3 and 4: equatorial of date to horizon.
Vec3 EquatorialToHorizon(const Vec3& equ, double latitude, float localSiderealRotation);
Vec3 HorizonToEquatorial(const Vec3& hor, double latitude, float localSiderealRotation);
// Altitude and azimuth (from north through east) of a horizon-frame vector, degrees.
void AltAzFromHorizon(const Vec3& hor, double& altDeg, double& azDeg);

// Altitude and azimuth (north through east) of a catalogue (J2000) direction seen from a place at
// a local clock reading: the direction carried to the equator of the date, then turned by the
// place's sidereal rotation. Nutation, aberration and refraction are left out.
void CatalogueAltAz(double raDeg, double decDeg, const LocalClock& clock, const ObserverPlace& place,
                    double& altDeg, double& azDeg);

// Camera angles that centre a catalogue (J2000) direction for the chain's place, sidereal
// rotation and precession: pitch = asin(hy / |h|), yaw = atan2(hz, hx) - 90 (degrees), h the
// horizon-frame vector.
void CameraAnglesForTarget(const Vec3& catalogue, const ChainInputs& in, float& pitch, float& yaw);
// The view centre (eye -z) carried back through the chain's pitch, yaw, latitude, sidereal
// rotation and precession: a catalogue (J2000) direction.
Vec3 ViewCentreDirection(const ChainInputs& in);

// The Sun's depression v: the Sun's ecliptic position carried to the horizon frame in single
// precision; v is its y component (about minus the sine of the Sun's altitude).
float SunDepression(const Vec3& sunEcliptic, double latitude, float localSiderealRotation);

// The view-centre readout. Alt/Azi mode: altitude and azimuth (north through east). Otherwise
// the catalogue's (J2000) right ascension in hours, never 24, and declination in degrees.
struct ViewCentreReadout {
    double first = 0, second = 0;
};
ViewCentreReadout UpdateViewCentreReadout(const ChainInputs& in, bool altAziMode);

} // namespace astro
