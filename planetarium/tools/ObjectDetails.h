// The text of the "Object Details" dialog for a picked object: its name or number, for a star its
// colour and magnitude, then its right ascension and declination, its rise, transit and set for the
// day of the sky clock at the observer's place, and the Julian day of the sky time. Lines end in
// "\r\n"; an empty line follows each group.
//
//   Vega                 (a body: "Jupiter", a Messier object: "Messier M42", no colour or magnitude)
//
//   Visable colour = White
//
//   Magnitude = 0.030000
//
//   RA = 18h 36m 56s
//   DEC = 38.783689
//
//   Rise = <hours>       local clock hours; "never rises" or "never sets" for both rise and set
//   Transit = <hours>    where the object does not cross the horizon
//   Set = <hours>
//
//   Julian day = <UT Julian day>
#pragma once

#include "astro/RiseTransitSet.h"
#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"

#include <optional>
#include <string>

namespace nv::tools {

// A direction as the details show it, on the catalogue's equator (J2000) as the readout, Goto and
// Find speak: right ascension a (degrees, not reduced) and declination d.
struct RaDec {
    double ra = 0, dec = 0;
};

// A star's or a Messier centre's direction: a = -atan2(x, z), d = -asin(y).
RaDec RaDecOfUnitVector(float x, float y, float z);
// A body's direction: its ecliptic position of date turned into the equatorial frame of date,
// carried back to the catalogue's equator for the sky clock's date, then a = -atan2(x, z),
// d = -asin(y / |v|).
RaDec RaDecOfBody(const SkyState& s, const astro::BodyPosition& body);
// The direction of a pick name; none for nothing picked.
std::optional<RaDec> DirectionOfPick(int name, const SkyState& s, const SkyCatalog& catalog,
                                     const astro::CSolarSystem& solar);

// "RA = 6h 45m 8s": the right ascension in hours (single precision) in [0, 24), cut to whole
// hours, minutes and seconds.
std::string RightAscensionLine(double raDeg);
// Rise, transit and set for the sky clock's day at the state's place of a catalogue direction,
// carried to the equator of the date (as `skycalc rts` takes it).
astro::RiseTransitSetTimes TimesFor(const SkyState& s, const RaDec& where);

// The whole text; empty for nothing picked.
std::string ObjectDetailsText(int name, const SkyState& s, const SkyCatalog& catalog,
                              const astro::CSolarSystem& solar);

} // namespace nv::tools
