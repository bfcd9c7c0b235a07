#include "astro/ValueRanges.h"

#include "astro/TextFields.h"

#include <cstdio>

namespace astro {
namespace {

std::string Number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

// A run of one to `maxDigits` decimal digits and nothing else.
std::optional<int> Digits(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    for (const char c : s)
        if (c < '0' || c > '9') return std::nullopt;
    return nv::text::ToInt(s);
}

// The three fields of "a<sep>b<sep>c" or "a<sep>b" (then c stays empty).
bool Split(std::string_view text, char sep, std::string_view& a, std::string_view& b, std::string_view* c) {
    const std::size_t first = text.find(sep);
    if (first == std::string_view::npos) return false;
    a = text.substr(0, first);
    b = text.substr(first + 1);
    if (c == nullptr) return b.find(sep) == std::string_view::npos;
    const std::size_t second = b.find(sep);
    if (second == std::string_view::npos) return false;
    *c = b.substr(second + 1);
    b = b.substr(0, second);
    return true;
}

} // namespace

std::string RangeText(const ValueRange& range) {
    return Number(range.min) + " to " + Number(range.max);
}

std::string RangeProblem(const ValueRange& range, double v) {
    if (range.Contains(v)) return {};
    return std::string(range.what) + " " + Number(v) + " is outside " + RangeText(range);
}

std::optional<DateTimeFields> ParseDateText(std::string_view text) {
    std::string_view y, m, d;
    if (!Split(text, '-', y, m, &d)) return std::nullopt;
    const std::optional<int> year = Digits(y, 4), month = Digits(m, 2), day = Digits(d, 2);
    if (!year || !month || !day) return std::nullopt;
    DateTimeFields f;
    f.year = *year;
    f.month = *month;
    f.day = *day;
    double check = 0;
    if (!AutomationDateFromFields(f, check)) return std::nullopt; // also holds the year range
    return f;
}

std::optional<DateTimeFields> ParseClockText(std::string_view text) {
    std::string_view h, m;
    if (!Split(text, ':', h, m, nullptr)) return std::nullopt;
    const std::optional<int> hour = Digits(h, 2), minute = Digits(m, 2);
    if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
    DateTimeFields f;
    f.hour = *hour;
    f.minute = *minute;
    return f;
}

} // namespace astro
