#include "astro/AnimationStep.h"

#include <climits>

namespace astro {

std::optional<double> AnimationSpanDays(int unit, int count) {
    switch (unit) {
    case kUnitMinutes:
        return AutomationSpan(0, 0, count, 0);
    case kUnitHours:
        return AutomationSpan(0, count, 0, 0);
    case kUnitDays:
        return AutomationSpan(count, 0, 0, 0);
    case kUnitYears:
        if (count > INT_MAX / 365 || count < INT_MIN / 365) return std::nullopt;
        return AutomationSpan(count * 365, 0, 0, 0);
    default:
        return std::nullopt;
    }
}

std::optional<double> AnimationStep(const PickerValue& datePicker, const PickerValue& timePicker, int unit,
                                    int count) {
    if (!datePicker.valid || !timePicker.valid) return std::nullopt;
    DateTimeFields date, time;
    if (!FieldsFromAutomationDate(datePicker.value, date) ||
        !FieldsFromAutomationDate(timePicker.value, time))
        return std::nullopt;
    const DateTimeFields joined{date.year, date.month, date.day, time.hour, time.minute, time.second};
    double t = 0;
    if (!AutomationDateFromFields(joined, t)) return std::nullopt;
    const std::optional<double> span = AnimationSpanDays(unit, count);
    if (!span) return std::nullopt;
    double out = 0;
    if (!AddSpan(t, *span, out)) return std::nullopt;
    return out;
}

int AnimUnitFromText(std::string_view text) {
    for (int i = 0; i < 4; ++i)
        if (text == kAnimUnitTexts[i]) return i + 1;
    return 0;
}

} // namespace astro
