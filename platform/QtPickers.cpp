#include "platform/QtPickers.h"

namespace platform {

astro::PickerValue PickerValueFrom(const QDate& date, const QTime& time) {
    if (!date.isValid() || !time.isValid()) return {0.0, false};
    const astro::DateTimeFields f{date.year(), date.month(),  date.day(),
                                  time.hour(), time.minute(), time.second()};
    double v = 0;
    if (!astro::AutomationDateFromFields(f, v)) return {0.0, false};
    return {v, true};
}

QDate PickerDate(double value) {
    astro::DateTimeFields f;
    if (!astro::FieldsFromAutomationDate(value, f)) return {};
    return QDate(f.year, f.month, f.day);
}

QTime PickerTime(double value) {
    astro::DateTimeFields f;
    if (!astro::FieldsFromAutomationDate(value, f)) return {};
    return QTime(f.hour, f.minute, f.second);
}

QDate PickerMinimumDate() {
    return PickerDate(astro::kMinAutomationDate);
}

QDate PickerMaximumDate() {
    return PickerDate(astro::kMaxAutomationDate);
}

} // namespace platform
