// Time-control arithmetic: the picker values for "now". The animation step and the settings
// dialog's lists are in astro/AnimationStep.h. The pickers hold automation dates (days from
// 1899-12-30, see astro/AutomationDate.h); nothing here touches widgets.
#pragma once

#include "astro/AnimationStep.h"
#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"

#include <optional>

namespace nv::tools {

// Reset to now: the date picker gets today at 00:00:00 and the time picker the clock time.
struct PickerValues {
    double date = 0;
    double time = 0;
};
std::optional<PickerValues> PickersForNow(const astro::DateTimeFields& localNow);

// The computer's local time, broken into calendar fields.
astro::DateTimeFields LocalNow();

} // namespace nv::tools
