#include "planetarium/tools/TimeControl.h"

#include <ctime>

namespace nv::tools {

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
