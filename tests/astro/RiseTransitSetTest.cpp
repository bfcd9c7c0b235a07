// Rise, transit and set, and the Messier marathon list.
#include "astro/RiseTransitSet.h"
#include "astro/AstroMath.h"
#include "astro/AutomationDate.h"

#include "Fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

namespace {

// Difference of two clock hours on the 24-hour circle, in minutes.
double MinutesApart(double a, double b) {
    return std::fabs(std::remainder(a - b, 24.0)) * 60.0;
}

} // namespace

TEST(RiseTransitSetPublished, VenusAtBoston1988March20) {
    // Meeus, example 15.a: Boston (42.3333 N, 71.0833 W), 1988-03-20, a = 41.73129, d = 18.44092,
    // apparent theta0 = 177.74208 at 0h UT (the mean value is 2 arcseconds less); H0 = 108.5344 and m0 =
    // 0.81965, m1 = 0.51817, m2 = 0.12113 before the sidereal-rate correction (here the division
    // by 1.00273791).
    const LocalClock clock{1988, 3, 20, 12, 0};
    const ObserverPlace boston{42.3333, -71.0833, 0.0f};
    EXPECT_NEAR(MeanSiderealAngleAtJd(JulianDay(1988, 3, 20, 0, 0)), 177.74208, 1e-3);
    const RiseTransitSetTimes t = RiseTransitSet(41.73129, 18.44092, clock, boston);
    ASSERT_EQ(t.state, RtsState::RisesAndSets);
    const double k = 1.00273791 / 24.0;
    EXPECT_NEAR(t.transit * k, 0.81965, 2e-5);
    EXPECT_NEAR(t.rise * k, 0.51817, 2e-5);
    EXPECT_NEAR(t.set * k, 0.12113, 2e-5);
    // The published final times (rise 12:25, set 02:55 UT) also include Venus' own motion.
    EXPECT_LT(MinutesApart(t.rise, 0.51766 * 24), 3.0);
    EXPECT_LT(MinutesApart(t.set, 0.12130 * 24), 3.0);
}

TEST(RiseTransitSetWorked, EquatorFromTheEquator) {
    // d = 0 seen from latitude 0 rises H0 = 90.567 degrees (of sidereal time) before transit.
    const RiseTransitSetTimes t = RiseTransitSet(100.0, 0.0, {2010, 6, 1, 0, 0}, {0.0, 0.0, 0.0f});
    const double h0 = std::acos(SinD(kStandardAltitude)) * kRadToDeg;
    EXPECT_NEAR(h0, 90.567, 1e-3);
    const double half = h0 / 15.0 / 1.00273791;
    EXPECT_NEAR(std::remainder(t.transit - t.rise, 24.0), half, 1e-6);
    EXPECT_NEAR(std::remainder(t.set - t.transit, 24.0), half, 1e-6);
}

TEST(RiseTransitSetWorked, NeverRisesNeverSets) {
    const LocalClock c{2024, 1, 15, 0, 0};
    // Polaris from 50 N never sets; from 30 S it never rises.
    RiseTransitSetTimes t = RiseTransitSet(37.95, 89.26, c, {50.0, 10.0, 1.0f});
    EXPECT_EQ(t.state, RtsState::NeverSets);
    EXPECT_GE(t.transit, 0.0);
    EXPECT_LT(t.transit, 24.0);
    t = RiseTransitSet(37.95, 89.26, c, {-30.0, 10.0, 1.0f});
    EXPECT_EQ(t.state, RtsState::NeverRises);
    // At the pole every star stays at one height.
    EXPECT_EQ(RiseTransitSet(0.0, 10.0, c, {90.0, 0.0, 0.0f}).state, RtsState::NeverSets);
    EXPECT_EQ(RiseTransitSet(0.0, -10.0, c, {90.0, 0.0, 0.0f}).state, RtsState::NeverRises);
    // All times stay within [0, 24) for any right ascension, reduced or not.
    for (double ra : {-720.5, -0.001, 0.0, 359.999, 1000.0}) {
        t = RiseTransitSet(ra, 20.0, c, {40.0, -120.0, -8.0f});
        for (double h : {t.rise, t.transit, t.set}) {
            EXPECT_GE(h, 0.0);
            EXPECT_LT(h, 24.0);
        }
    }
}

// Against the reference: real stars at real places, local clock hours within 3 minutes.
TEST(RiseTransitSetReference, WithinThreeMinutes) {
    const auto tab = astrotest::LoadFixture("rts.csv");
    ASSERT_GE(tab.rows.size(), 100u);
    double worst = 0;
    for (size_t r = 0; r < tab.rows.size(); ++r) {
        const LocalClock c{tab.Int(r, "year"), tab.Int(r, "month"), tab.Int(r, "day"), 21, 30};
        const ObserverPlace p{tab.Num(r, "lat"), tab.Num(r, "lon"), static_cast<float>(tab.Num(r, "zone"))};
        const RiseTransitSetTimes t = RiseTransitSet(tab.Num(r, "ra"), tab.Num(r, "dec"), c, p);
        ASSERT_EQ(t.state, RtsState::RisesAndSets);
        const double d[3] = {MinutesApart(t.rise, tab.Num(r, "rise")),
                             MinutesApart(t.transit, tab.Num(r, "transit")),
                             MinutesApart(t.set, tab.Num(r, "set"))};
        for (double m : d) {
            worst = std::max(worst, m);
            EXPECT_LT(m, 3.0) << tab.Str(r, "star") << " at " << tab.Str(r, "city") << " row " << r;
        }
        // The transit alone, as the marathon computes it.
        EXPECT_LT(MinutesApart(MessierTransitTime(tab.Num(r, "ra"), c, p), tab.Num(r, "transit")), 3.0);
    }
    std::printf("worst rise/transit/set difference: %.2f min\n", worst);
}

TEST(Marathon, TransitFromCentreVector) {
    const LocalClock c{2024, 3, 9, 0, 0};
    const ObserverPlace p{40.0, -75.0, -5.0f};
    // a = -atan2(x, z) of the star-table vector (-cos d sin a, -sin d, cos d cos a).
    const double ra = 83.82, dec = -5.39;
    const float x = static_cast<float>(-CosD(dec) * SinD(ra)), y = static_cast<float>(-SinD(dec)),
                z = static_cast<float>(CosD(dec) * CosD(ra));
    EXPECT_NEAR(MessierTransitTime(x, y, z, c, p), MessierTransitTime(ra, c, p), 1e-4);
}

TEST(Marathon, ListLines) {
    std::array<float, 110> times{};
    for (int n = 0; n < 110; ++n) times[n] = static_cast<float>(n % 24) + 0.25f;
    times[0] = 20.0f; // exactly on the window limit: not listed
    times[100] = 23.49f;
    double from = 0, to = 0;
    ASSERT_TRUE(AutomationDateFromFields({2024, 3, 9, 20, 0, 0}, from));
    ASSERT_TRUE(AutomationDateFromFields({2024, 3, 9, 23, 30, 0}, to));
    const auto lines = MarathonLines(times, from, to);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Viewing time = 3 Hours 30 Min 0 Seconds ");
    std::vector<int> listed;
    for (size_t k = 1; k < lines.size(); ++k) listed.push_back(MarathonChoice(lines[k]));
    std::vector<int> expected;
    for (int n = 1; n <= 110; ++n)
        if (times[n - 1] > 20.0f && times[n - 1] < 23.5f) expected.push_back(n);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(lines[1].rfind("M21 Transits at 20.250000 O'clock", 0), 0u);
    // Equal limits: no objects; a window across midnight: no objects.
    EXPECT_EQ(MarathonLines(times, from, from).size(), 1u);
    EXPECT_EQ(MarathonLines(times, from, from)[0], "Viewing time = 0 Hours 0 Min 0 Seconds ");
    double early = 0;
    ASSERT_TRUE(AutomationDateFromFields({2024, 3, 9, 2, 0, 0}, early));
    EXPECT_EQ(MarathonLines(times, from, early).size(), 1u);
}

TEST(Marathon, ChoiceFromLine) {
    EXPECT_EQ(MarathonChoice("M101 Transits at 1.000000 O'clock"), 101);
    EXPECT_EQ(MarathonChoice("M7 Transits at 1.000000 O'clock"), 7);
    EXPECT_EQ(MarathonChoice("Viewing time = 3 Hours 30 Min 0 Seconds "), 0);
    EXPECT_EQ(MarathonChoice(""), 0);
    EXPECT_EQ(MarathonChoice("M"), 0);
}
