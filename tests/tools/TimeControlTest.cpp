// Animation steps over picker values, the dialog's list texts and the pickers for "now".
#include "planetarium/tools/TimeControl.h"

#include <gtest/gtest.h>

using namespace nv::tools;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    EXPECT_TRUE(astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v));
    return v;
}

astro::DateTimeFields Fields(double v) {
    astro::DateTimeFields f;
    EXPECT_TRUE(astro::FieldsFromAutomationDate(v, f));
    return f;
}

// Both pickers hold the same value, as after any animation step.
double Step(double value, int unit, int count) {
    const auto r = AnimationStep({value, true}, {value, true}, unit, count);
    EXPECT_TRUE(r.has_value());
    return r.value_or(value);
}

} // namespace

TEST(AnimationStep, UnitsAndCounts) {
    const double t = Date(2024, 6, 15, 21, 59, 0);
    auto f = Fields(Step(t, kUnitMinutes, 1));
    EXPECT_EQ(f.hour, 22);
    EXPECT_EQ(f.minute, 0);
    f = Fields(Step(t, kUnitHours, -3));
    EXPECT_EQ(f.hour, 18);
    EXPECT_EQ(f.minute, 59);
    f = Fields(Step(t, kUnitDays, 20));
    EXPECT_EQ(f.month, 7);
    EXPECT_EQ(f.day, 5);
    EXPECT_FALSE(AnimationStep({t, true}, {t, true}, 0, 1).has_value()); // unknown unit: no step
    EXPECT_FALSE(AnimationStep({t, true}, {t, true}, 7, 1).has_value());
}

TEST(AnimationStep, MinusTenYearsGoesBack3650Days) {
    const double t = Date(2005, 3, 1, 12, 0);
    const double back = Step(t, kUnitYears, -10);
    EXPECT_DOUBLE_EQ(t - back, 3650.0);
    const auto f = Fields(back);
    EXPECT_EQ(f.year, 1995);
    EXPECT_EQ(f.month, 3);
    EXPECT_EQ(f.day, 4); // leap days are not corrected
    EXPECT_EQ(f.hour, 12);
}

TEST(AnimationStep, OneDayFromNewYearsEveKeepsTheClock) {
    const auto f = Fields(Step(Date(2023, 12, 31, 23, 30), kUnitDays, 1));
    EXPECT_EQ(f.year, 2024);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.day, 1);
    EXPECT_EQ(f.hour, 23);
    EXPECT_EQ(f.minute, 30);
}

TEST(AnimationStep, DateFromOnePickerAndClockFromTheOther) {
    // The date picker may carry another time of day (e.g. midnight after a reset); only its date
    // counts, and the time picker's date is ignored.
    const double date = Date(2010, 5, 20, 0, 0);
    const double time = Date(1999, 1, 1, 8, 15, 30);
    const auto r = AnimationStep({date, true}, {time, true}, kUnitMinutes, 1);
    ASSERT_TRUE(r.has_value());
    const auto f = Fields(*r);
    EXPECT_EQ(f.year, 2010);
    EXPECT_EQ(f.day, 20);
    EXPECT_EQ(f.hour, 8);
    EXPECT_EQ(f.minute, 16);
    EXPECT_EQ(f.second, 30);
}

TEST(AnimationStep, MinutesStayExactOverManyTicks) {
    double t = Date(2000, 1, 1, 0, 0);
    for (int i = 0; i < 1440 * 3; ++i) t = Step(t, kUnitMinutes, 1);
    const auto f = Fields(t);
    EXPECT_EQ(f.day, 4);
    EXPECT_EQ(f.hour, 0);
    EXPECT_EQ(f.minute, 0);
    EXPECT_EQ(f.second, 0);
}

TEST(AnimationStep, CrossesTheAutomationDateOriginBothWays) {
    // Dates before 1899-12-30 count their time of day forward from midnight.
    double t = Date(1899, 12, 30, 3, 0);
    t = Step(t, kUnitHours, -6);
    auto f = Fields(t);
    EXPECT_EQ(f.day, 29);
    EXPECT_EQ(f.hour, 21);
    t = Step(t, kUnitHours, 5);
    f = Fields(t);
    EXPECT_EQ(f.day, 30);
    EXPECT_EQ(f.hour, 2);
}

TEST(AnimationStep, InvalidPickersAndTheEdgeOfTheCalendarLeaveTheTime) {
    const double t = Date(2020, 1, 1);
    EXPECT_FALSE(AnimationStep({t, false}, {t, true}, kUnitMinutes, 1).has_value());
    EXPECT_FALSE(AnimationStep({t, true}, {t, false}, kUnitMinutes, 1).has_value());
    const double last = Date(9999, 12, 31, 23, 50);
    EXPECT_FALSE(AnimationStep({last, true}, {last, true}, kUnitHours, 1).has_value());
    const double first = Date(100, 1, 2, 0, 0);
    EXPECT_FALSE(AnimationStep({first, true}, {first, true}, kUnitYears, -10).has_value());
}

TEST(AnimationDialogLists, TextsAndParsing) {
    EXPECT_EQ(AnimUnitFromText("Minutes"), 1);
    EXPECT_EQ(AnimUnitFromText("Hours"), 2);
    EXPECT_EQ(AnimUnitFromText("Days"), 3);
    EXPECT_EQ(AnimUnitFromText("years"), 4);
    EXPECT_EQ(AnimUnitFromText("Years"), 0); // exact comparison
    for (int i = 0; i < 20; ++i) {
        const int c = AnimCountFromText(kAnimCountTexts[i]);
        EXPECT_EQ(c, i < 10 ? i - 10 : i - 9);
    }
    EXPECT_EQ(AnimCountFromText(" 7x"), 7);
    EXPECT_EQ(AnimCountFromText("x"), 0);
    EXPECT_EQ(AnimCountFromText("99999999999"), 0);
    EXPECT_EQ(std::string(kAnimCountTexts[kAnimCountDefaultIndex]), "1");
    EXPECT_EQ(std::string(kAnimUnitTexts[kAnimUnitDefaultIndex]), "Minutes");
}

TEST(ResetToNow, DatePickerAtMidnightTimePickerAtTheClock) {
    const auto v = PickersForNow({2024, 2, 29, 13, 45, 12});
    ASSERT_TRUE(v.has_value());
    EXPECT_DOUBLE_EQ(v->date, Date(2024, 2, 29));
    const auto f = Fields(v->time);
    EXPECT_EQ(f.hour, 13);
    EXPECT_EQ(f.minute, 45);
    EXPECT_EQ(f.second, 12);
    const auto now = LocalNow();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(PickersForNow(now).has_value());
}
