// Automation date-times: the value the date and time pickers hold. A date is a double counting
// days from 1899-12-30 00:00; the integer part carries the sign and the fraction is the time of
// day counted forward from midnight, so -1.25 is 1899-12-29 06:00. Spans are plain days.
#pragma once

namespace astro {

struct DateTimeFields {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Dates from 0100-01-01 to 9999-12-31 23:59:59 are valid: the calendar years the pickers, the
// snapshot's --date and skycalc's --date accept.
inline constexpr int kFirstYear = 100;
inline constexpr int kLastYear = 9999;
inline constexpr double kMinAutomationDate = -657434.0;
inline constexpr double kMaxAutomationDate = 2958465.99999;
// A span outside +-3615897 days is invalid.
inline constexpr double kMaxSpanDays = 3615897.0;

// Calendar fields to a date value. Returns false (and leaves out untouched) for fields outside
// their ranges or a date outside the valid range.
bool AutomationDateFromFields(const DateTimeFields& f, double& out);
// A date value to calendar fields, rounded to the nearest second. False when invalid.
bool FieldsFromAutomationDate(double date, DateTimeFields& out);

// A date value on a linear day scale (for x < 0: ceil(x) - (x - ceil(x))) and back
// (for r < 0: floor(r) + (floor(r) - r)).
double AutomationDateToLinear(double date);
double LinearToAutomationDate(double linear);

// (days, hours, minutes, seconds) as a span in days.
double AutomationSpan(int days, int hours, int minutes, int seconds);
bool IsValidSpan(double spanDays);
// date + span on the linear scale. False when the span or the result is invalid.
bool AddSpan(double date, double spanDays, double& out);
// a - b in days, on the linear scale.
double SpanBetween(double a, double b);

// The hours, minutes and seconds components of a span: the span in days plus half a second
// (minus half a second when negative), times 24, 1440 or 86400, truncated and taken modulo
// 24, 60 or 60 (signs follow the span).
struct SpanParts {
    int hours = 0, minutes = 0, seconds = 0;
};
SpanParts SpanComponents(double spanDays);

} // namespace astro
