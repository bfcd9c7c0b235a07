// The catalogue's directions are for the mean equator and equinox of J2000 (ICRS); the equator of
// any other date has turned away from them, by about 50 arcseconds a year along the ecliptic
// (precession). Carrying a catalogue direction to the sky of a date is one rotation.
#pragma once

#include "astro/AstroMath.h"

namespace astro {

// The rotation (as glRotatef takes it, in the star table's axes) that carries a catalogue
// direction to the mean equator and equinox of the Julian day `jd`: the IAU 2006 frame bias and
// precession (ERFA's eraPmat06). The day is taken on the UT scale: the minute or so between UT
// and the dynamical time moves the equinox by a thousandth of an arcsecond. Nutation and
// aberration are left out.
GlRotation PrecessionRotation(double jd);

// v turned by r (as glRotatef would turn a vertex), and turned back.
Vec3 Rotated(const GlRotation& r, const Vec3& v);
Vec3 RotatedBack(const GlRotation& r, const Vec3& v);

} // namespace astro
