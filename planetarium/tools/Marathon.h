// The Messier marathon dialog's list: which objects cross the meridian between the two times the
// user picked, as the lines the list shows, and which object a chosen line names.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace nv::tools {

// The list for the pickers "From" and "To" (automation dates): the line
// "Viewing time = H Hours M Min S Seconds " and then one line "M<n> Transits at <t> O'clock" for
// each object whose transit lies strictly between the two clock times, in number order.
std::vector<std::string> MarathonLines(const std::array<float, 110>& transitTimes, double fromDate,
                                       double toDate);

// The Messier number a list line names: the integer value of its second to fourth characters
// (digits after "M"; a following non-digit ends the number). 0 when there is none.
int MarathonChoice(std::string_view line);

} // namespace nv::tools
