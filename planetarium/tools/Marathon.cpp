#include "planetarium/tools/Marathon.h"

#include "astro/AutomationDate.h"
#include "astro/RiseTransitSet.h"
#include "astro/SkyRotation.h"
#include "astro/TextFields.h"

#include <cstdio>

namespace nv::tools {

namespace {

constexpr int kSecondsPerDay = 86400;

int SecondOfDay(const astro::DateTimeFields& f) {
    return f.hour * 3600 + f.minute * 60 + f.second;
}

} // namespace

MessierTransits MessierTransitTimes(const SkyState& s, const SkyCatalog& catalog) {
    const astro::LocalClock clock{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute};
    const astro::ObserverPlace place{s.g_latitude, s.g_longitude, s.g_gmtOffset};
    MessierTransits times{};
    for (int n = 0; n < kMessierCount; ++n) {
        const Vec3f& c = catalog.m_messierCentre[n];
        double ra = 0, dec = 0;
        astro::RaDecFromVector({c.x, c.y, c.z}, ra, dec);
        times[n] = static_cast<float>(astro::RiseTransitSet(ra, dec, clock, place).transit);
    }
    return times;
}

std::vector<std::string> MarathonLines(const MessierTransits& transitTimes, double fromDate, double toDate) {
    astro::DateTimeFields f, t;
    const bool valid =
        astro::FieldsFromAutomationDate(fromDate, f) && astro::FieldsFromAutomationDate(toDate, t);
    int span = valid ? SecondOfDay(t) - SecondOfDay(f) : 0;
    if (span < 0) span += kSecondsPerDay; // on past midnight
    const astro::SpanParts p = astro::SpanComponents(static_cast<double>(span) / kSecondsPerDay);
    std::vector<std::string> lines;
    char buf[128];
    std::snprintf(buf, sizeof buf, "Viewing time = %d Hours %d Min %d Seconds ", p.hours, p.minutes,
                  p.seconds);
    lines.emplace_back(buf);
    if (!valid) return lines;

    const double from = astro::MarathonHour(f.hour, f.minute, f.second);
    const double to = astro::MarathonHour(t.hour, t.minute, t.second);
    for (const int n : astro::MessiersTransitingBetween(transitTimes, from, to)) {
        std::snprintf(buf, sizeof buf, "M%d Transits at %f O'clock", n, transitTimes[n - 1]);
        lines.emplace_back(buf);
    }
    return lines;
}

int MarathonChoice(std::string_view line) {
    return line.size() < 2 ? 0 : text::ToInt(line.substr(1, 3));
}

} // namespace nv::tools
