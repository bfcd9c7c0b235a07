// Day counts, Julian days, sidereal time and the picker date values.
#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"

#include "Fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

TEST(DayCounts, WorkedValues) {
    EXPECT_DOUBLE_EQ(DayNumber(2000, 1, 1, 0, 0), 1.0);
    EXPECT_NEAR(DayNumber(1999, 12, 31, 12, 0), 0.5, 1e-7);
    EXPECT_NEAR(JulianDay(2000, 1, 1, 12, 0), 2451545.0, 1e-6);
    // January and February count as months 13 and 14 of the year before.
    EXPECT_NEAR(JulianDay(2000, 2, 29, 0, 0) + 1, JulianDay(2000, 3, 1, 0, 0), 1e-9);
    EXPECT_NEAR(JulianDay(1957, 10, 4, 19, 26), 2436116.31, 1e-3); // Sputnik, a published example
    EXPECT_NEAR(JulianDay(1600, 1, 1, 0, 0), 2305447.5, 1e-9);
    // The viewer's form with seconds agrees.
    EXPECT_NEAR(JulianDay(2024, 6, 7, 13, 45, 30), JulianDay(2024, 6, 7, 13, 45) + 30 / 86400.0, 1e-6);
}

TEST(DayCounts, DayNumberIsJulianDayForAnyDate) {
    // The integer form 367y - 7(y + (m+9)/12)/4 + 275m/9 + d - 730530 is a day off outside
    // 1900-03 .. 2100-02; the day number follows the Julian day everywhere.
    auto integerForm = [](int y, int m, int d) {
        return 367 * y - (7 * (y + (m + 9) / 12)) / 4 + (275 * m) / 9 + d - 730530;
    };
    EXPECT_EQ(DayNumber(1950, 6, 15, 0, 0), integerForm(1950, 6, 15));
    EXPECT_EQ(DayNumber(2100, 2, 28, 0, 0), integerForm(2100, 2, 28));
    EXPECT_EQ(DayNumber(2100, 3, 1, 0, 0), DayNumber(2100, 2, 28, 0, 0) + 1); // 2100 is no leap year
    EXPECT_EQ(DayNumber(1900, 3, 1, 0, 0), DayNumber(1900, 2, 28, 0, 0) + 1);
    EXPECT_NE(DayNumber(2100, 3, 1, 0, 0), integerForm(2100, 3, 1));
    // The local clock is turned into UT with the zone.
    EXPECT_NEAR(DayNumber(LocalClock{2000, 1, 1, 10, 0}, 10.0f), 1.0, 1e-7);
}

TEST(SiderealTime, WorkedValues) {
    EXPECT_NEAR(MeanSiderealAngleAtJd(2451545.0), 280.46061837, 1e-8);
    // At 0h UT the full expression reduces to the 0h formula (Meeus example 12.a: 1987-04-10).
    EXPECT_NEAR(MeanSiderealAngleAtJd(2446895.5), 197.693195, 1e-5);
    // 1987-04-10 19:21:00 UT (example 12.b): 128.7378734 degrees.
    EXPECT_NEAR(MeanSiderealAngleAtJd(2446896.30625), 128.7378734, 1e-5);
    // The angle advances 15 degrees per clock hour plus the sidereal gain.
    const float a0 = SiderealAngle({2000, 1, 1, 12, 0}, 0);
    const float a1 = SiderealAngle({2000, 1, 1, 13, 0}, 0);
    EXPECT_NEAR(std::remainder(a1 - a0 - 15.0410686, 360.0), 0.0, 1e-3);
    EXPECT_NEAR(a0, 280.46061837 + 90 - 360, 1e-4);
}

TEST(SiderealTime, UpdateFillsClockAndAngle) {
    SkyClock c;
    const float a = UpdateSiderealAngle(LocalClock{2024, 3, 9, 22, 15}, 1.0f, c);
    EXPECT_EQ(c.g_year, 2024);
    EXPECT_EQ(c.g_month, 3);
    EXPECT_EQ(c.g_day, 9);
    EXPECT_EQ(c.g_hour, 22);
    EXPECT_EQ(c.g_minute, 15);
    EXPECT_EQ(a, c.g_siderealAngle);
    EXPECT_GE(a, 0.0f);
    EXPECT_LT(a, 360.0f);
    // Invalid pickers give -1 fields; the angle is still a number in range.
    const LocalClock bad = ClockFromPickers({0, false}, {0, false});
    EXPECT_EQ(bad.year, -1);
    EXPECT_EQ(bad.minute, -1);
    const float b = UpdateSiderealAngle(bad, 0.0f, c);
    EXPECT_TRUE(b >= 0.0f && b < 360.0f);
}

// The zenith's right ascension is the local mean sidereal time for any place, zone and date.
TEST(SiderealTime, ZenithRightAscensionIsLocalMeanSiderealTime) {
    const auto t = astrotest::LoadFixture("sidereal.csv");
    ASSERT_GE(t.rows.size(), 100u);
    double worst = 0;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const LocalClock clock{t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"), t.Int(r, "hour"),
                               t.Int(r, "minute")};
        const auto zone = static_cast<float>(t.Num(r, "zone"));
        const double lat = t.Num(r, "lat"), lon = t.Num(r, "lon");
        SkyClock c;
        const float lsr = LocalSiderealRotation(UpdateSiderealAngle(clock, zone, c), lon);
        // Through the chain: the eye looking straight up (pitch -90).
        const Vec3 zenith = ViewCentreDirection(0.0f, -90.0f, lat, lsr);
        double ra, dec;
        RaDecFromVector(zenith, ra, dec);
        const double diff = std::fabs(std::remainder(ra - t.Num(r, "lmst"), 360.0));
        worst = std::max(worst, diff);
        EXPECT_LT(diff, 0.01) << "row " << r;
        EXPECT_NEAR(dec, lat, 0.01) << "row " << r;
    }
    RecordProperty("worst_deg", std::to_string(worst));
}

TEST(AutomationDates, ValuesAndFields) {
    double v = 0;
    ASSERT_TRUE(AutomationDateFromFields({1899, 12, 30, 0, 0, 0}, v));
    EXPECT_EQ(v, 0.0);
    ASSERT_TRUE(AutomationDateFromFields({2000, 1, 1, 0, 0, 0}, v));
    EXPECT_EQ(v, 36526.0);
    ASSERT_TRUE(AutomationDateFromFields({1899, 12, 29, 6, 0, 0}, v));
    EXPECT_DOUBLE_EQ(v, -1.25); // before the epoch the fraction counts forward from midnight
    DateTimeFields f;
    ASSERT_TRUE(FieldsFromAutomationDate(-1.25, f));
    EXPECT_EQ(f.year, 1899);
    EXPECT_EQ(f.day, 29);
    EXPECT_EQ(f.hour, 6);
    ASSERT_TRUE(FieldsFromAutomationDate(36526.5 + 0.4 / 86400, f)); // rounds to the second
    EXPECT_EQ(f.hour, 12);
    EXPECT_EQ(f.second, 0);
    ASSERT_TRUE(FieldsFromAutomationDate(0.99999999, f)); // rounds into the next day
    EXPECT_EQ(f.day, 31);
    EXPECT_EQ(f.hour, 0);
    EXPECT_FALSE(AutomationDateFromFields({2023, 2, 29, 0, 0, 0}, v));
    EXPECT_FALSE(AutomationDateFromFields({99, 12, 31, 0, 0, 0}, v));
    EXPECT_FALSE(FieldsFromAutomationDate(NAN, f));
    EXPECT_FALSE(FieldsFromAutomationDate(3e6, f));
}

TEST(AutomationDates, SpansAcrossTheEpoch) {
    EXPECT_DOUBLE_EQ(AutomationSpan(1, 2, 30, 0), 1.0 + 2.5 / 24);
    EXPECT_TRUE(IsValidSpan(3615897.0));
    EXPECT_FALSE(IsValidSpan(3615897.5));
    EXPECT_FALSE(IsValidSpan(-3615898.0));
    double r = 0;
    // 1899-12-30 03:00 minus 6 hours is 1899-12-29 21:00, stored as -1.875.
    ASSERT_TRUE(AddSpan(0.125, -0.25, r));
    EXPECT_DOUBLE_EQ(r, -1.875);
    ASSERT_TRUE(AddSpan(-1.875, 0.25, r));
    EXPECT_DOUBLE_EQ(r, 0.125);
    // One day back from 1899-12-29 06:00 is 1899-12-28 06:00.
    ASSERT_TRUE(AddSpan(-1.25, -1.0, r));
    EXPECT_DOUBLE_EQ(r, -2.25);
    EXPECT_DOUBLE_EQ(SpanBetween(0.125, -1.875), 0.25);
    EXPECT_FALSE(AddSpan(36526.0, 4e6, r));
    EXPECT_FALSE(AddSpan(2958465.0, 10.0, r)); // past 9999-12-31
    const SpanParts p = SpanComponents(3.5 / 24);
    EXPECT_EQ(p.hours, 3);
    EXPECT_EQ(p.minutes, 30);
    EXPECT_EQ(p.seconds, 0);
    const SpanParts n = SpanComponents(-(1 + 2 / 24.0 + 3 / 1440.0 + 4 / 86400.0));
    EXPECT_EQ(n.hours, -2);
    EXPECT_EQ(n.minutes, -3);
    EXPECT_EQ(n.seconds, -4);
}

TEST(SiderealTime, FillsTheSharedSkyState) {
    nv::SkyState s;
    s.g_gmtOffset = 10.0f;
    const float a = UpdateSiderealAngle(LocalClock{2000, 1, 1, 22, 0}, s);
    EXPECT_EQ(s.g_year, 2000);
    EXPECT_EQ(s.g_hour, 22);
    EXPECT_EQ(s.g_siderealAngle, a);
    // 22:00 at zone +10 is 12:00 UT: Greenwich mean sidereal time 280.46061837, plus 90.
    EXPECT_NEAR(a, 10.46061837, 1e-4);
}
