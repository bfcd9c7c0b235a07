// Animation steps over picker values, the dialog's list texts, the pickers for "now" and the
// pickers' dates and times as values.
#include "platform/QtPickers.h"
#include "planetarium/tools/TimeControl.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace nv::tools;
using namespace astro;
using namespace platform;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    EXPECT_TRUE(astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v));
    return v;
}

std::string Text(double v) {
    astro::DateTimeFields f;
    EXPECT_TRUE(astro::FieldsFromAutomationDate(v, f));
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    return buf;
}

// Both pickers hold the same value, as after any animation step.
std::optional<double> TryStep(double value, int unit, int count) {
    return AnimationStep({value, true}, {value, true}, unit, count);
}
double Step(double value, int unit, int count) {
    const auto r = TryStep(value, unit, count);
    EXPECT_TRUE(r);
    return r.value_or(value);
}

} // namespace

TEST(AnimationStep, UnitsAndCounts) {
    const double t = Date(2024, 6, 15, 21, 59, 0);
    EXPECT_EQ(Text(Step(t, kUnitMinutes, 1)), "2024-06-15 22:00:00");
    EXPECT_EQ(Text(Step(t, kUnitHours, -3)), "2024-06-15 18:59:00");
    EXPECT_EQ(Text(Step(t, kUnitDays, 20)), "2024-07-05 21:59:00");
    EXPECT_FALSE(TryStep(t, 0, 1)); // unknown unit: no step
    EXPECT_FALSE(TryStep(t, 7, 1));
    // One day from 23:30 on New Year's Eve keeps the clock.
    EXPECT_EQ(Text(Step(Date(2023, 12, 31, 23, 30), kUnitDays, 1)), "2024-01-01 23:30:00");
}

TEST(AnimationStep, MinusTenYearsGoesBack3650Days) {
    const double t = Date(2005, 3, 1, 12, 0);
    EXPECT_DOUBLE_EQ(t - Step(t, kUnitYears, -10), 3650.0);
    EXPECT_EQ(Text(Step(t, kUnitYears, -10)), "1995-03-04 12:00:00"); // leap days are not corrected
}

TEST(AnimationStep, DateFromOnePickerAndClockFromTheOther) {
    // The date picker may carry another time of day (midnight after a reset); only its date counts,
    // and the time picker's date is ignored.
    const auto r =
        AnimationStep({Date(2010, 5, 20), true}, {Date(1999, 1, 1, 8, 15, 30), true}, kUnitMinutes, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(Text(*r), "2010-05-20 08:16:30");
}

TEST(AnimationStep, MinutesStayExactOverManyTicks) {
    double t = Date(2000, 1, 1);
    for (int i = 0; i < 1440 * 3; ++i) t = Step(t, kUnitMinutes, 1);
    EXPECT_EQ(Text(t), "2000-01-04 00:00:00");
}

TEST(AnimationStep, AutomationDateEdges) {
    // Dates before 1899-12-30 count their time of day forward from midnight.
    const double early = Step(Date(1899, 12, 30, 3, 0), kUnitHours, -6);
    EXPECT_EQ(Text(early), "1899-12-29 21:00:00");
    EXPECT_EQ(Text(Step(early, kUnitHours, 5)), "1899-12-30 02:00:00");
    // Invalid pickers and the ends of the calendar leave the time alone.
    const double t = Date(2020, 1, 1);
    EXPECT_FALSE(AnimationStep({t, false}, {t, true}, kUnitMinutes, 1));
    EXPECT_FALSE(AnimationStep({t, true}, {t, false}, kUnitMinutes, 1));
    EXPECT_FALSE(TryStep(Date(9999, 12, 31, 23, 50), kUnitHours, 1));
    EXPECT_FALSE(TryStep(Date(100, 1, 2), kUnitYears, -10));
}

TEST(AnimationDialogLists, TextsAndParsing) {
    EXPECT_EQ(AnimUnitFromText("Minutes"), kUnitMinutes);
    EXPECT_EQ(AnimUnitFromText("years"), kUnitYears);
    EXPECT_EQ(AnimUnitFromText("Years"), 0); // exact comparison
    EXPECT_STREQ(kAnimCountTexts[kAnimCountDefaultIndex], "1");
    EXPECT_STREQ(kAnimUnitTexts[kAnimUnitDefaultIndex], "Minutes");
}

TEST(ResetToNow, DatePickerAtMidnightTimePickerAtTheClock) {
    const auto v = PickersForNow({2024, 2, 29, 13, 45, 12});
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(v->date, Date(2024, 2, 29));
    EXPECT_EQ(Text(v->time).substr(11), "13:45:12");
    const auto now = LocalNow();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(PickersForNow(now));
}

TEST(PickerValues, DatesAndTimesBothWays) {
    const astro::PickerValue v = PickerValueFrom(QDate(2023, 12, 31), QTime(23, 30, 15));
    EXPECT_TRUE(v.valid);
    EXPECT_DOUBLE_EQ(v.value, Date(2023, 12, 31, 23, 30, 15));
    EXPECT_EQ(PickerDate(v.value), QDate(2023, 12, 31));
    EXPECT_EQ(PickerTime(v.value), QTime(23, 30, 15));
    // Before 1899-12-30 the time of day still counts forward from midnight.
    EXPECT_EQ(PickerTime(PickerValueFrom(QDate(1850, 6, 1), QTime(6, 0)).value), QTime(6, 0));
    EXPECT_FALSE(PickerValueFrom(QDate(), QTime(1, 0)).valid);
    EXPECT_FALSE(PickerValueFrom(QDate(50, 1, 1), QTime(1, 0)).valid); // outside the picker range
    EXPECT_FALSE(PickerDate(1e12).isValid());
}

