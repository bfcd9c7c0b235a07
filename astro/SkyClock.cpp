#include "astro/SkyClock.h"

#include "astro/AstroMath.h"
#include "astro/AutomationDate.h"

#include <cmath>

namespace astro {
namespace {

// Calendar part of the Julian day (Gregorian correction always applied), with the constants
// 365.25 and 30.6001 given as k365 and k306.
double JulianDayNoon(int year, int month, int day, double k365, double k306) {
    if (month == 1 || month == 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = 2 - a + a / 4;
    return std::trunc(k365 * (year + 4716)) + std::trunc(k306 * (month + 1)) + day + b - 1524.5;
}

constexpr double kF365 = 365.25f;
constexpr double kF306 = 30.6001f; // 30.600099563598633

} // namespace

double JulianDay(int year, int month, int day, int hour, int minute) {
    const double fraction =
        (hour + minute * static_cast<double>(0.016666668f)) * static_cast<double>(0.041666668f);
    return JulianDayNoon(year, month, day, kF365, kF306) + fraction;
}

double JulianDay(int year, int month, int day, int hour, int minute, int second) {
    const double fraction = hour * static_cast<double>(0.041666668f) +
                            minute * static_cast<double>(0.00069444446f) +
                            second * static_cast<double>(1.1574074e-5f);
    return JulianDayNoon(year, month, day, 365.25, 30.6001) + fraction;
}

double JulianDayMoonForm(int year, int month, int day, int hour, int minute) {
    const double fraction = minute * static_cast<double>(0.016666668f) * static_cast<double>(0.041667f) +
                            hour * static_cast<double>(0.041666668f);
    return JulianDayNoon(year, month, day, kF365, kF306) + fraction;
}

double DayNumber(int year, int month, int day, int hour, int minute) {
    return JulianDay(year, month, day, hour, minute) - 2451543.5;
}

double UtJulianDay(const LocalClock& c, float gmtOffset) {
    return JulianDay(c.year, c.month, c.day, c.hour, c.minute) - static_cast<double>(gmtOffset) / 24.0;
}

double DayNumber(const LocalClock& local, float gmtOffset) {
    return UtJulianDay(local, gmtOffset) - 2451543.5;
}

double MeanSiderealAngleAtJd(double jd) {
    const double days = jd - 2451545.0;
    const double t = days * 2.7378507871321012e-5;
    const double theta =
        280.46061837 + 360.98564736629 * days + 0.000387933 * t * t - t * t * t * 2.5833118057349522e-8;
    return Reduce360(theta);
}

float SiderealAngle(const LocalClock& local, float gmtOffset) {
    const double a = Reduce360(MeanSiderealAngleAtJd(UtJulianDay(local, gmtOffset)) + 90.0);
    float f = static_cast<float>(a);
    if (!(f >= 0.0f && f < 360.0f)) f = 0.0f; // rounding up to 360, or a non-finite clock
    return f;
}

float UpdateSiderealAngle(const LocalClock& pickers, float gmtOffset, SkyClock& clock) {
    clock.g_year = pickers.year;
    clock.g_month = pickers.month;
    clock.g_day = pickers.day;
    clock.g_hour = pickers.hour;
    clock.g_minute = pickers.minute;
    clock.g_siderealAngle = SiderealAngle(pickers, gmtOffset);
    return clock.g_siderealAngle;
}

LocalClock ClockFromPickers(const PickerValue& datePicker, const PickerValue& timePicker) {
    LocalClock c{-1, -1, -1, -1, -1};
    DateTimeFields f;
    if (datePicker.valid && FieldsFromAutomationDate(datePicker.value, f)) {
        c.year = f.year;
        c.month = f.month;
        c.day = f.day;
    }
    if (timePicker.valid && FieldsFromAutomationDate(timePicker.value, f)) {
        c.hour = f.hour;
        c.minute = f.minute;
    }
    return c;
}

double LocalMeanSiderealTime(const LocalClock& local, const ObserverPlace& place) {
    return Reduce360(MeanSiderealAngleAtJd(UtJulianDay(local, place.gmtOffset)) + place.longitude);
}

} // namespace astro
