// The Messier marathon dialog's list: which objects cross the meridian between the two times the
// user picked, as the lines the list shows, and which object a chosen line names.
#pragma once

#include "planetarium/SkyState.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace nv::tools {

using MessierTransits = std::array<float, kMessierCount>;

// The transit time of M1 .. M110 on the local calendar day of the sky clock, as local clock hours
// in [0, 24) (the rise/transit/set method's transit, for each object's centre direction).
MessierTransits MessierTransitTimes(const SkyState& s, const SkyCatalog& catalog);

// The list for the pickers "From" and "To" (automation dates; only their clock times count): the
// line "Viewing time = H Hours M Min S Seconds " and then one line "M<n> Transits at <t> O'clock"
// for each object whose transit lies strictly inside the window, in number order. A "To" earlier
// than "From" is a window across midnight: the viewing time counts on past midnight, and the
// objects transiting after "From" or before "To" are listed.
std::vector<std::string> MarathonLines(const MessierTransits& transitTimes, double fromDate, double toDate);

// The Messier number a list line names: the integer value of its second to fourth characters
// (digits after "M"; a following non-digit ends the number). 0 when there is none.
int MarathonChoice(std::string_view line);

} // namespace nv::tools
