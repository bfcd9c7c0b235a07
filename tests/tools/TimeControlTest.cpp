// Animation steps over picker values, the dialog's list texts, "now" and the pickers' values.
#include "planetarium/tools/TimeControl.h"
#include "platform/QtPickers.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace nv::tools;
using namespace astro;
using namespace platform;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    EXPECT_TRUE(astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v));
    return v;
}

std::string Text(std::optional<double> v) {
    astro::DateTimeFields f;
    if (!v || !astro::FieldsFromAutomationDate(*v, f)) return "none";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    return buf;
}

} // namespace

// Faults: a unit or count misread, a step that moves the clock across New Year's Eve, a year of
// other than 365 days, a step off the calendar's ends, minutes drifting over many ticks, a date
// taken from the time picker or a clock from the date's (the spans across 1899-12-30 are the
// calendar tests').
TEST(AnimationStep, UnitsCountsAndTheCalendarsEdges) {
    const struct {
        double from;
        int unit, count;
        const char* after;
    } steps[] = {{Date(2024, 6, 15, 21, 59), kUnitMinutes, 1, "2024-06-15 22:00:00"},
                 {Date(2024, 6, 15, 21, 59), kUnitHours, -3, "2024-06-15 18:59:00"},
                 {Date(2024, 6, 15, 21, 59), kUnitDays, 20, "2024-07-05 21:59:00"},
                 {Date(2023, 12, 31, 23, 30), kUnitDays, 1, "2024-01-01 23:30:00"},
                 {Date(2005, 3, 1, 12, 0), kUnitYears, -10, "1995-03-04 12:00:00"}, // 3650 days
                 {Date(2024, 6, 15), 0, 1, "none"},
                 {Date(2024, 6, 15), 7, 1, "none"},
                 {Date(9999, 12, 31, 23, 50), kUnitHours, 1, "none"},
                 {Date(100, 1, 2), kUnitYears, -10, "none"}};
    for (const auto& s : steps)
        EXPECT_EQ(Text(AnimationStep({s.from, true}, {s.from, true}, s.unit, s.count)), s.after)
            << Text(s.from) << " unit " << s.unit << " count " << s.count;
    double t = Date(2000, 1, 1);
    for (int i = 0; i < 1440 * 3; ++i) t = AnimationStep({t, true}, {t, true}, kUnitMinutes, 1).value_or(0);
    EXPECT_EQ(Text(t), "2000-01-04 00:00:00");
    EXPECT_EQ(
        Text(AnimationStep({Date(2010, 5, 20), true}, {Date(1999, 1, 1, 8, 15, 30), true}, kUnitMinutes, 1)),
        "2010-05-20 08:16:30");
    EXPECT_FALSE(AnimationStep({t, false}, {t, true}, kUnitMinutes, 1));
    EXPECT_FALSE(AnimationStep({t, true}, {t, false}, kUnitMinutes, 1));
}

// Faults: the unit texts compared loosely; "now" putting the clock on the date picker; pickers'
// values losing the time before 1899 or accepting dates outside range.
TEST(Pickers, DialogTextsNowAndValuesBothWays) {
    EXPECT_EQ(AnimUnitFromText("Minutes"), kUnitMinutes);
    EXPECT_EQ(AnimUnitFromText("years"), kUnitYears);
    EXPECT_EQ(AnimUnitFromText("Years"), 0); // exact comparison

    const auto now = PickersForNow({2024, 2, 29, 13, 45, 12});
    ASSERT_TRUE(now);
    EXPECT_DOUBLE_EQ(now->date, Date(2024, 2, 29));
    EXPECT_EQ(Text(now->time).substr(11), "13:45:12");

    const astro::PickerValue v = PickerValueFrom(QDate(2023, 12, 31), QTime(23, 30, 15));
    EXPECT_TRUE(v.valid && v.value == Date(2023, 12, 31, 23, 30, 15));
    EXPECT_TRUE(PickerDate(v.value) == QDate(2023, 12, 31) && PickerTime(v.value) == QTime(23, 30, 15));
    EXPECT_EQ(PickerTime(PickerValueFrom(QDate(1850, 6, 1), QTime(6, 0)).value), QTime(6, 0));
    EXPECT_FALSE(PickerValueFrom(QDate(), QTime(1, 0)).valid);
    EXPECT_FALSE(PickerValueFrom(QDate(50, 1, 1), QTime(1, 0)).valid); // outside the picker range
    EXPECT_FALSE(PickerDate(1e12).isValid());
}
