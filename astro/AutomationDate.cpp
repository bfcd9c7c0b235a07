#include "astro/AutomationDate.h"

#include <cmath>
#include <cstdint>

namespace astro {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

bool InRange(double date) {
    return std::isfinite(date) && date >= kMinAutomationDate && date <= kMaxAutomationDate;
}

} // namespace

bool AutomationDateFromFields(const DateTimeFields& f, double& out) {
    if (f.year < kFirstYear || f.year > kLastYear || f.month < 1 || f.month > 12) return false;
    if (f.day < 1 || f.day > DaysInMonth(f.year, f.month)) return false;
    if (f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 || f.second < 0 || f.second > 59)
        return false;
    const double days = static_cast<double>(DaysFromCivil(f.year, f.month, f.day) - kEpochDays);
    const double t = (f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight.
    out = days >= 0 ? days + t : days - t;
    return true;
}

bool FieldsFromAutomationDate(double date, DateTimeFields& out) {
    if (!InRange(date)) return false;
    double dayPart = date >= 0 ? std::floor(date) : std::ceil(date);
    double frac = std::fabs(date - dayPart);
    int64_t secs = std::llround(frac * 86400.0);
    int64_t days = static_cast<int64_t>(dayPart);
    if (secs >= 86400) {
        secs -= 86400;
        days += 1;
    }
    int y, m, d;
    CivilFromDays(days + kEpochDays, y, m, d);
    out.year = y;
    out.month = m;
    out.day = d;
    out.hour = static_cast<int>(secs / 3600);
    out.minute = static_cast<int>(secs / 60 % 60);
    out.second = static_cast<int>(secs % 60);
    return true;
}

double AutomationDateToLinear(double x) {
    if (x >= 0) return x;
    const double c = std::ceil(x);
    return c - (x - c);
}

double LinearToAutomationDate(double r) {
    if (r >= 0) return r;
    const double f = std::floor(r);
    return f + (f - r);
}

double AutomationSpan(int days, int hours, int minutes, int seconds) {
    return days + hours * 0.041666666666666664 + minutes * 0.0006944444444444445 +
           seconds * 1.1574074074074073e-5;
}

bool IsValidSpan(double spanDays) {
    return std::isfinite(spanDays) && spanDays >= -kMaxSpanDays && spanDays <= kMaxSpanDays;
}

bool AddSpan(double date, double spanDays, double& out) {
    if (!InRange(date) || !IsValidSpan(spanDays)) return false;
    const double r = LinearToAutomationDate(AutomationDateToLinear(date) + spanDays);
    if (!InRange(r)) return false;
    out = r;
    return true;
}

double SpanBetween(double a, double b) {
    return AutomationDateToLinear(a) - AutomationDateToLinear(b);
}

SpanParts SpanComponents(double spanDays) {
    SpanParts p;
    if (!std::isfinite(spanDays) || std::fabs(spanDays) > kMaxSpanDays) return p;
    const double half = 0.5 / 86400.0;
    const double s = spanDays + (spanDays < 0 ? -half : half);
    p.hours = static_cast<int>(static_cast<int64_t>(s * 24.0) % 24);
    p.minutes = static_cast<int>(static_cast<int64_t>(s * 1440.0) % 60);
    p.seconds = static_cast<int>(static_cast<int64_t>(s * 86400.0) % 60);
    return p;
}

} // namespace astro
