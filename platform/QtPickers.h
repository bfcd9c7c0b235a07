// Picker values between Qt's date and time types and the automation dates the time-control code
// of both programs works on, and the date range the pickers accept.
#pragma once

#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace platform {

// A local date and clock time as a picker value; invalid when the date or time is, or when it
// lies outside the automation-date range.
astro::PickerValue PickerValueFrom(const QDate& date, const QTime& time);
inline astro::PickerValue PickerValueFrom(const QDateTime& local) {
    return PickerValueFrom(local.date(), local.time());
}

// The date and the clock time of a picker value (invalid QDate/QTime for an invalid value).
QDate PickerDate(double value);
QTime PickerTime(double value);

// The first and last dates a picker accepts: those of the automation dates (0100-01-01 and
// 9999-12-31).
QDate PickerMinimumDate();
QDate PickerMaximumDate();

} // namespace platform
