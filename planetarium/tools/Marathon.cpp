#include "planetarium/tools/Marathon.h"

#include "astro/AutomationDate.h"
#include "astro/RiseTransitSet.h"
#include "astro/TextFields.h"

#include <cstdio>

namespace nv::tools {

std::vector<std::string> MarathonLines(const std::array<float, 110>& transitTimes, double fromDate,
                                       double toDate) {
    std::vector<std::string> lines;
    char buf[128];
    const astro::SpanParts p = astro::SpanComponents(astro::SpanBetween(toDate, fromDate));
    std::snprintf(buf, sizeof buf, "Viewing time = %d Hours %d Min %d Seconds ", p.hours, p.minutes,
                  p.seconds);
    lines.emplace_back(buf);

    astro::DateTimeFields f, t;
    if (!astro::FieldsFromAutomationDate(fromDate, f) || !astro::FieldsFromAutomationDate(toDate, t))
        return lines;
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
