// The ranges a typed value must lie in, one rule for every way a value comes in: the command
// lines of the chart's snapshot and of skycalc, the settings file and the dialogs. A value
// outside its range is refused (an option: a message and status 2; the settings file: the
// default and a message), never carried into the sky where it would draw a black picture or
// wrap round.
#pragma once

#include "astro/AutomationDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace astro {

struct ValueRange {
    double min;
    double max;
    const char* what; // how a message names the value
    // False for NaN as well as for values outside [min, max].
    constexpr bool Contains(double v) const { return v >= min && v <= max; }
};

inline constexpr ValueRange kLatitudeRange{-90.0, 90.0, "latitude"};
// Longitude east positive, as the Settings dialog's world map gives it.
inline constexpr ValueRange kLongitudeRange{-180.0, 180.0, "longitude"};
// Right ascensions and the camera's angles may go once round either way.
inline constexpr ValueRange kRightAscensionRange{-360.0, 360.0, "right ascension"};
inline constexpr ValueRange kDeclinationRange{-90.0, 90.0, "declination"};
// Local time minus UT: the world's zones run from -12 to +14 hours.
inline constexpr ValueRange kZoneRange{-14.0, 14.0, "zone"};
inline constexpr ValueRange kPitchRange{-360.0, 360.0, "pitch"};
inline constexpr ValueRange kYawRange{-360.0, 360.0, "yaw"};

// The calendar years: kFirstYear to kLastYear (AutomationDate.h).

// "-90 to 90"
std::string RangeText(const ValueRange& range);
// Empty when `v` lies in the range, else e.g. "latitude 1000 is outside -90 to 90".
std::string RangeProblem(const ValueRange& range, double v);

// "YYYY-MM-DD" (years kFirstYear to kLastYear, a real calendar day) and "HH:MM" (00:00 to
// 23:59), digits only, nothing before or after; no value otherwise.
std::optional<DateTimeFields> ParseDateText(std::string_view text);
std::optional<DateTimeFields> ParseClockText(std::string_view text);

} // namespace astro
