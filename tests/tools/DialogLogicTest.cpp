// The logic of the dialogs without a window: the marathon's lines for same-day and overnight
// windows.
#include "astro/AutomationDate.h"
#include "astro/RiseTransitSet.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/tools/Marathon.h"

#include <gtest/gtest.h>

#include <memory>

using namespace nv::tools;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    EXPECT_TRUE(astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v));
    return v;
}

std::unique_ptr<nv::SkyCatalog> MessierCatalog() {
    auto c = std::make_unique<nv::SkyCatalog>();
    nv::FillMessierTable(c->m_messierCentre, c->m_messierCorners);
    return c;
}

// The sky state of a local date and time at a place (sky clock set as the pickers set it).
nv::SkyState SkyAt(int y, int mo, int d, int h, int mi, double lat, double lon, float zone) {
    nv::SkyState s;
    s.g_latitude = lat;
    s.g_longitude = lon;
    s.g_gmtOffset = zone;
    astro::UpdateSiderealAngle(astro::LocalClock{y, mo, d, h, mi}, s);
    return s;
}

} // namespace

// --- Messier marathon --------------------------------------------------------------------------------

TEST(Marathon, TransitTimesAreTheRiseTransitSetTransits) {
    // London, 2024-03-09: M44 (RA 8h40m) crosses the meridian about 21:30, M42 (5h35m) about 18:25,
    // M101 (14h03m) about 02:55 and M7 (17h54m) about 06:45, local clock.
    const nv::SkyState s = SkyAt(2024, 3, 9, 22, 0, 51.5, -0.13, 0.0f);
    auto c = MessierCatalog();
    const MessierTransits t = MessierTransitTimes(s, *c);
    EXPECT_NEAR(t[43], 21.5, 0.1);
    EXPECT_NEAR(t[41], 18.42, 0.1);
    EXPECT_NEAR(t[100], 2.92, 0.1);
    EXPECT_NEAR(t[6], 6.75, 0.1);
    for (int n = 1; n <= 110; ++n) {
        const nv::MessierRow& r = nv::kMessierRows[n - 1];
        const double rts =
            astro::RiseTransitSet(r.raDeg, r.decDeg, {2024, 3, 9, 22, 0}, {51.5, -0.13, 0.0f}).transit;
        EXPECT_NEAR(t[n - 1], rts, 1e-3) << "M" << n;
    }
}

TEST(Marathon, SameDayAndOvernightWindows) {
    MessierTransits times;
    times.fill(12.0f);
    times[0] = 20.0f; // exactly on the window's start: not listed
    times[6] = 21.0f;
    times[20] = 20.25f;
    times[100] = 23.49f;
    times[2] = 2.5f;
    times[41] = 18.5f;
    const double day = Date(2024, 3, 9);
    const auto lines = MarathonLines(times, day + 20 / 24.0, day + 23.5 / 24);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Viewing time = 3 Hours 30 Min 0 Seconds ", "M7 Transits at 21.000000 O'clock",
                         "M21 Transits at 20.250000 O'clock", "M101 Transits at 23.490000 O'clock"}));
    std::vector<int> chosen;
    for (const std::string& line : lines) chosen.push_back(MarathonChoice(line));
    EXPECT_EQ(chosen, (std::vector<int>{0, 7, 21, 101}));
    EXPECT_TRUE(MarathonChoice("") == 0 && MarathonChoice("M") == 0);
    // Equal limits: the viewing time only.
    EXPECT_EQ(MarathonLines(times, day + 20 / 24.0, day + 20 / 24.0),
              std::vector<std::string>{"Viewing time = 0 Hours 0 Min 0 Seconds "});
    // 19:00 to 05:00 is a night of 10 hours: after 19:00 or before 05:00, still in number order.
    EXPECT_EQ(MarathonLines(times, day + 19 / 24.0, day + 5 / 24.0),
              (std::vector<std::string>{
                  "Viewing time = 10 Hours 0 Min 0 Seconds ", "M1 Transits at 20.000000 O'clock",
                  "M3 Transits at 2.500000 O'clock", "M7 Transits at 21.000000 O'clock",
                  "M21 Transits at 20.250000 O'clock", "M101 Transits at 23.490000 O'clock"}));
    // Only the clock times count, whatever dates the pickers carry; seconds count too.
    EXPECT_EQ(MarathonLines(times, Date(2030, 1, 1, 23, 59, 30), Date(1999, 5, 5, 0, 0, 15))[0],
              "Viewing time = 0 Hours 0 Min 45 Seconds ");
}
