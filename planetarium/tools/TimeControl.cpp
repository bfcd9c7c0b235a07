#include "planetarium/tools/TimeControl.h"

#include <charconv>
#include <climits>
#include <ctime>

namespace nv::tools {

std::optional<double> AnimationSpanDays(int unit, int count) {
    switch (unit) {
    case kUnitMinutes:
        return astro::AutomationSpan(0, 0, count, 0);
    case kUnitHours:
        return astro::AutomationSpan(0, count, 0, 0);
    case kUnitDays:
        return astro::AutomationSpan(count, 0, 0, 0);
    case kUnitYears:
        if (count > INT_MAX / 365 || count < INT_MIN / 365) return std::nullopt;
        return astro::AutomationSpan(count * 365, 0, 0, 0);
    default:
        return std::nullopt;
    }
}

std::optional<double> AnimationStep(const astro::PickerValue& datePicker,
                                    const astro::PickerValue& timePicker, int unit, int count) {
    if (!datePicker.valid || !timePicker.valid) return std::nullopt;
    astro::DateTimeFields date, time;
    if (!astro::FieldsFromAutomationDate(datePicker.value, date) ||
        !astro::FieldsFromAutomationDate(timePicker.value, time))
        return std::nullopt;
    const astro::DateTimeFields joined{date.year, date.month, date.day, time.hour, time.minute, time.second};
    double t = 0;
    if (!astro::AutomationDateFromFields(joined, t)) return std::nullopt;
    const std::optional<double> span = AnimationSpanDays(unit, count);
    if (!span) return std::nullopt;
    double out = 0;
    if (!astro::AddSpan(t, *span, out)) return std::nullopt;
    return out;
}

int AnimUnitFromText(std::string_view text) {
    for (int i = 0; i < 4; ++i)
        if (text == kAnimUnitTexts[i]) return i + 1;
    return 0;
}

std::optional<PickerValues> PickersForNow(const astro::DateTimeFields& now) {
    PickerValues v;
    astro::DateTimeFields midnight = now;
    midnight.hour = midnight.minute = midnight.second = 0;
    if (!astro::AutomationDateFromFields(midnight, v.date) || !astro::AutomationDateFromFields(now, v.time))
        return std::nullopt;
    return v;
}

astro::DateTimeFields LocalNow() {
    const std::time_t t = std::time(nullptr);
    const std::tm* tm = std::localtime(&t);
    astro::DateTimeFields f;
    if (!tm) return f;
    f.year = tm->tm_year + 1900;
    f.month = tm->tm_mon + 1;
    f.day = tm->tm_mday;
    f.hour = tm->tm_hour;
    f.minute = tm->tm_min;
    f.second = tm->tm_sec > 59 ? 59 : tm->tm_sec; // a leap second reads as :59
    return f;
}

} // namespace nv::tools
