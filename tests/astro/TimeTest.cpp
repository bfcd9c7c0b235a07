// Day counts, Julian days, sidereal time and the picker date values.
#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"

#include "Fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

// Catches a Julian day or day count off published examples, the leap-day rule cut to "divisible
// by 4" (the short integer formula is wrong outside 1900-2100), and the zone not taken off.
TEST(DayCounts, WorkedValues) {
    EXPECT_DOUBLE_EQ(DayNumber(2000, 1, 1, 0, 0), 1.0);
    EXPECT_NEAR(JulianDay(2000, 1, 1, 12, 0), 2451545.0, 1e-6);
    EXPECT_NEAR(JulianDay(1957, 10, 4, 19, 26), 2436116.31, 1e-3); // Sputnik
    EXPECT_NEAR(JulianDay(1600, 1, 1, 0, 0), 2305447.5, 1e-9);
    EXPECT_NEAR(JulianDay(2024, 6, 7, 13, 45, 30), JulianDay(2024, 6, 7, 13, 45) + 30 / 86400.0, 1e-6);
    EXPECT_NEAR(JulianDay(2000, 2, 29, 0, 0) + 1, JulianDay(2000, 3, 1, 0, 0), 1e-9);
    EXPECT_EQ(DayNumber(2100, 3, 1, 0, 0), DayNumber(2100, 2, 28, 0, 0) + 1);
    EXPECT_EQ(DayNumber(1900, 3, 1, 0, 0), DayNumber(1900, 2, 28, 0, 0) + 1);
    EXPECT_NEAR(DayNumber(LocalClock{2000, 1, 1, 10, 0}, 10.0f), 1.0, 1e-7);
}

// Catches a sidereal time off published examples (1987-04-10 at 0h and 19:21 UT), an offset
// other than +90 for the sky angle, a solar instead of sidereal rate, and invalid pickers giving
// an angle that is not a number.
TEST(SiderealTime, WorkedValues) {
    EXPECT_NEAR(MeanSiderealAngleAtJd(2451545.0), 280.46061837, 1e-8);
    EXPECT_NEAR(MeanSiderealAngleAtJd(2446895.5), 197.693195, 1e-5);
    EXPECT_NEAR(MeanSiderealAngleAtJd(2446896.30625), 128.7378734, 1e-5);
    const float a0 = SiderealAngle({2000, 1, 1, 22, 0}, 10.0f); // 12:00 UT
    EXPECT_NEAR(a0, 280.46061837 + 90 - 360, 1e-4);
    EXPECT_NEAR(std::remainder(SiderealAngle({2000, 1, 1, 23, 0}, 10.0f) - a0 - 15.0410686, 360.0), 0.0,
                1e-3);
    const float b = SiderealAngle(ClockFromPickers({0, false}, {0, false}), 0.0f);
    EXPECT_TRUE(b >= 0.0f && b < 360.0f);
}

// Catches the chain's sidereal rotation off the real sky: the zenith's right ascension is the
// local mean sidereal time of the reference for any place, zone and date.
TEST(SiderealTime, ZenithRightAscensionIsLocalMeanSiderealTime) {
    const auto t = astrotest::LoadFixture("sidereal.csv");
    ASSERT_GE(t.rows.size(), 100u);
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const LocalClock clock{t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"), t.Int(r, "hour"),
                               t.Int(r, "minute")};
        const float angle = SiderealAngle(clock, static_cast<float>(t.Num(r, "zone")));
        const double lat = t.Num(r, "lat");
        double ra, dec; // the eye looking straight up; no precession: sidereal time is of the date
        RaDecFromVector(
            ViewCentreDirection({-90.0f, 0.0f, lat, LocalSiderealRotation(angle, t.Num(r, "lon"))}), ra, dec);
        EXPECT_LT(std::fabs(std::remainder(ra - t.Num(r, "lmst"), 360.0)), 0.01) << "row " << r;
        EXPECT_NEAR(dec, lat, 0.01) << "row " << r;
    }
}

// Catches the leap-year rule cut to "divisible by 4" (1900 and 2100 have no 29 February), a
// fraction before the 1899-12-30 epoch counted the wrong way, rounding that loses or gains a
// day, and spans that run past the pickers' range.
TEST(AutomationDates, FieldsAndSpansAcrossTheEpoch) {
    double v = 0;
    for (auto [f, want] : {std::pair<DateTimeFields, double>{{1899, 12, 30, 0, 0, 0}, 0.0},
                           {{2000, 1, 1, 0, 0, 0}, 36526.0},
                           {{1899, 12, 29, 6, 0, 0}, -1.25},
                           {{1900, 3, 1, 0, 0, 0}, 61.0},
                           {{2100, 3, 1, 0, 0, 0}, 73110.0}}) {
        ASSERT_TRUE(AutomationDateFromFields(f, v));
        EXPECT_DOUBLE_EQ(v, want) << f.year;
    }
    for (auto [year, leap] :
         {std::pair{2000, true}, {2024, true}, {1900, false}, {2023, false}, {2100, false}})
        EXPECT_EQ(AutomationDateFromFields({year, 2, 29, 0, 0, 0}, v), leap) << year;
    EXPECT_FALSE(AutomationDateFromFields({99, 12, 31, 0, 0, 0}, v));
    auto fields = [](double date) {
        DateTimeFields f{};
        EXPECT_TRUE(FieldsFromAutomationDate(date, f)) << date;
        return std::array{f.year, f.month, f.day, f.hour, f.minute, f.second};
    };
    EXPECT_EQ(fields(-1.25), (std::array{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(fields(36526.5 + 0.4 / 86400), (std::array{2000, 1, 1, 12, 0, 0})); // to the second
    EXPECT_EQ(fields(0.99999999), (std::array{1899, 12, 31, 0, 0, 0}));           // into the next day
    DateTimeFields f;
    EXPECT_FALSE(FieldsFromAutomationDate(NAN, f) || FieldsFromAutomationDate(3e6, f));
    // 1899-12-30 03:00 less 6 hours is 12-29 21:00 (-1.875); a day before 12-29 06:00 is -2.25.
    EXPECT_DOUBLE_EQ(AutomationSpan(1, 2, 30, 0), 1.0 + 2.5 / 24);
    for (auto [date, span, want] :
         {std::tuple{0.125, -0.25, -1.875}, {-1.875, 0.25, 0.125}, {-1.25, -1.0, -2.25}}) {
        ASSERT_TRUE(AddSpan(date, span, v));
        EXPECT_DOUBLE_EQ(v, want) << date << " + " << span;
    }
    EXPECT_DOUBLE_EQ(SpanBetween(0.125, -1.875), 0.25);
    EXPECT_FALSE(AddSpan(36526.0, 4e6, v) || AddSpan(2958465.0, 10.0, v)); // too long; past 9999-12-31
    const SpanParts n = SpanComponents(-(1 + 2 / 24.0 + 3 / 1440.0 + 4 / 86400.0));
    EXPECT_EQ((std::array{n.hours, n.minutes, n.seconds}), (std::array{-2, -3, -4}));
}
