// One animation step over the pickers' values (automation dates, see AutomationDate.h), and the
// count and unit lists of the "Animation settings" dialog. Both programs animate time this way.
#pragma once

#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"

#include <optional>
#include <string_view>

namespace astro {

// Animation units.
inline constexpr int kUnitMinutes = 1;
inline constexpr int kUnitHours = 2;
inline constexpr int kUnitDays = 3;
inline constexpr int kUnitYears = 4;

// The span of one animation step in days: count minutes, hours, days, or count x 365 days (a year
// is always 365 days). Any other unit gives no step.
std::optional<double> AnimationSpanDays(int unit, int count);

// One animation step: the date of the date picker and the clock time of the time picker form one
// date-time, the step span is added (negative counts go back; months and years roll over) and the
// result is what both pickers receive. No value when a picker is invalid, the unit is unknown or
// the result would leave the valid date range (the pickers then keep their time).
std::optional<double> AnimationStep(const PickerValue& datePicker, const PickerValue& timePicker, int unit,
                                    int count);

// The animation settings dialog's lists, in order; the dialog opens on count "1" (index 10) and
// unit "Minutes" (index 0).
inline constexpr const char* kAnimCountTexts[20] = {"-10", "-9", "-8", "-7", "-6", "-5", "-4",
                                                    "-3",  "-2", "-1", "1",  "2",  "3",  "4",
                                                    "5",   "6",  "7",  "8",  "9",  "10"};
inline constexpr const char* kAnimUnitTexts[4] = {"Minutes", "Hours", "Days", "years"};
inline constexpr int kAnimCountDefaultIndex = 10;
inline constexpr int kAnimUnitDefaultIndex = 0;

// The unit of a list text compared exactly ("Minutes" 1 .. "years" 4); 0 when none matches.
int AnimUnitFromText(std::string_view text);

} // namespace astro
