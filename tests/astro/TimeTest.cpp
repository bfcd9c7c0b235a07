// Day counts, Julian days, sidereal time and the picker date values.
#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"

#include "Fixture.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace astro;

// Catches a Julian day or day count off published examples, the leap-day rule cut to "divisible
// by 4" (the short integer formula is wrong outside 1900-2100), the zone not taken off, and a sky
// angle that is not a number for invalid pickers.
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
    const float b = SiderealAngle(ClockFromPickers({0, false}, {0, false}), 0.0f); // invalid pickers
    EXPECT_TRUE(b >= 0.0f && b < 360.0f);
}

// Catches a sidereal time, its +90 offset in the chain or its rate off the real sky: the zenith's
// right ascension is the reference's local mean sidereal time for any place, zone and date.
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
        EXPECT_TRUE(std::fabs(std::remainder(ra - t.Num(r, "lmst"), 360.0)) < 0.01 &&
                    std::fabs(dec - lat) < 0.01)
            << "row " << r;
    }
}

// Catches the leap-year rule cut to "divisible by 4" (1900 and 2100 have no 29 February), a
// fraction before the 1899-12-30 epoch counted the wrong way, and rounding that loses or gains a
// day (the animation tests step these values across the epoch and the calendar's ends).
TEST(AutomationDates, FieldsAcrossTheEpoch) {
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
}
