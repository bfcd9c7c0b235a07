// The sky clock and the day counts. The pickers hold the local clock; the sky is turned and the
// bodies are placed for the universal time UT = local clock - g_gmtOffset hours.
#pragma once

namespace astro {

// The pickers' local clock, seconds dropped. A field whose picker is invalid holds -1.
struct LocalClock {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
};

// The observer: latitude north positive, longitude east positive, zone = local time - UT hours.
struct ObserverPlace {
    double latitude = 53.0;
    double longitude = 0.0;
    float gmtOffset = 0.0f;
};

// The program-wide clock values with their program names.
struct SkyClock {
    int g_year = 0, g_month = 0, g_day = 0, g_hour = 0, g_minute = 0;
    float g_siderealAngle = 0; // degrees in [0, 360)
};

// Calendar to Julian day, always Gregorian, any year:
// fraction (hour + minute * 0.016666668) * 0.041666668.
double JulianDay(int year, int month, int day, int hour, int minute);
// The orbit viewer's form with seconds (365.25 and 30.6001 as doubles;
// fraction hour * 0.041666668 + minute * 0.00069444446 + second * 1.1574074e-5).
double JulianDay(int year, int month, int day, int hour, int minute, int second);
// The moon theories' form: fraction minute * 0.016666668 * 0.041667 + hour * 0.041666668.
double JulianDayMoonForm(int year, int month, int day, int hour, int minute);

// Days since 2000 January 0.0 (1999-12-31 00:00): JulianDay - 2451543.5, for any date.
// The fields are taken as UT.
double DayNumber(int year, int month, int day, int hour, int minute);
// The day number of the UT instant of a local clock reading.
double DayNumber(const LocalClock& local, float gmtOffset);

// The UT Julian day of a local clock reading: JulianDay(local) - gmtOffset / 24.
double UtJulianDay(const LocalClock& local, float gmtOffset);

// Greenwich mean sidereal time at the UT Julian day jd, degrees in [0, 360):
// 280.46061837 + 360.98564736629 (jd - 2451545) + 0.000387933 T^2 - T^3 / 38710000.
double MeanSiderealAngleAtJd(double jd);

// The sky rotation angle for a local clock reading: mean sidereal time at UT plus 90 degrees,
// reduced to [0, 360) and held as a float.
float SiderealAngle(const LocalClock& local, float gmtOffset);

// Fills g_year .. g_minute with the local clock, stores g_siderealAngle and returns it.
float UpdateSiderealAngle(const LocalClock& pickers, float gmtOffset, SkyClock& clock);

// The same for any state object with the program names (g_year .. g_minute, g_siderealAngle,
// g_gmtOffset), such as the sky view's state.
template <class State> float UpdateSiderealAngle(const LocalClock& pickers, State& s) {
    SkyClock c;
    float a = UpdateSiderealAngle(pickers, s.g_gmtOffset, c);
    s.g_year = c.g_year;
    s.g_month = c.g_month;
    s.g_day = c.g_day;
    s.g_hour = c.g_hour;
    s.g_minute = c.g_minute;
    s.g_siderealAngle = a;
    return a;
}

// Picker values (automation dates with a valid flag) to the local clock: year, month and day of
// the date picker, hour and minute of the time picker; invalid pickers give -1 fields.
struct PickerValue {
    double value = 0;
    bool valid = true;
};
LocalClock ClockFromPickers(const PickerValue& datePicker, const PickerValue& timePicker);

// The local mean sidereal time for a local clock reading and place, degrees in [0, 360).
double LocalMeanSiderealTime(const LocalClock& local, const ObserverPlace& place);

} // namespace astro
