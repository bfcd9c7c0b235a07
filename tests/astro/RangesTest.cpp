// One rule for typed values: the date and clock texts of the command lines, the ranges of the
// place and the camera, and skycalc refusing what it would otherwise wrap round or print as
// nonsense with status 0.
#include "astro/ValueRanges.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

namespace {

struct Result {
    int status;
    QString out, err;
};

Result Skycalc(const QStringList& args) {
    QProcess p;
    p.start(NV_SKYCALC_EXE, args);
    if (!p.waitForFinished(30000)) return {-1, {}, {}};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(ValueRanges, DatesAndClockTimesAreReadWholeOrNotAtAll) {
    const auto date = [](const char* t) { return astro::ParseDateText(t); };
    ASSERT_TRUE(date("2024-02-29"));
    EXPECT_EQ(date("2024-02-29")->day, 29);
    EXPECT_EQ(date("0100-01-01")->year, 100);
    EXPECT_EQ(date("9999-12-31")->year, 9999);
    for (const char* bad :
         {"0099-12-31", "10000-01-01", "4294969322-01-01", "2023-02-29", "2024-13-01", "2024-00-10",
          "2024-1-32", "2024-01-01x", " 2024-01-01", "-2024-01-01", "2024/01/01", "", "2024-01"})
        EXPECT_FALSE(date(bad)) << bad;
    ASSERT_TRUE(astro::ParseClockText("23:59"));
    EXPECT_EQ(astro::ParseClockText("7:05")->minute, 5);
    for (const char* bad : {"24:00", "12:60", "4294967303:00", "12:00:00", "-1:00", "12", "+1:00", "12:5x"})
        EXPECT_FALSE(astro::ParseClockText(bad)) << bad;
}

TEST(ValueRanges, ARefusalNamesTheValueAndItsRange) {
    EXPECT_EQ(astro::RangeProblem(astro::kLatitudeRange, 90.0), "");
    EXPECT_EQ(astro::RangeProblem(astro::kLatitudeRange, 1000.0), "latitude 1000 is outside -90 to 90");
    EXPECT_FALSE(astro::RangeProblem(astro::kYawRange, 1e300).empty());
    EXPECT_FALSE(astro::RangeProblem(astro::kZoneRange, std::nan("")).empty());
}

TEST(Skycalc, ValuesThatWouldWrapRoundAreRefused) {
    const QStringList refused[] = {
        {"sky", "--date", "4294969322-01-01"},
        {"sky", "--time", "4294967303:00"},
        {"rts", "--ra", "1e308", "--dec", "10"},
        {"sky", "--date", "0099-12-31"},
        {"sky", "--zone", "1e30"},
        {"altaz", "--ra", "10", "--dec", "nan"},
        {"sky", "--lat", "1000"},
        {"sky", "--lon", "-1e308"},
    };
    for (const QStringList& args : refused) {
        const Result r = Skycalc(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.startsWith("skycalc: ")) << r.err.toStdString();
    }
}

TEST(Skycalc, TheEdgesOfTheRangesAreAnswered) {
    Result r = Skycalc({"sky", "--date", "0100-01-01", "--time", "00:00", "--zone", "-14", "--lon", "-180"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("jd ")) << r.out.toStdString();
    // A direction at the edge of the right ascensions, from the pole: it never sets.
    r = Skycalc(
        {"rts", "--ra", "360", "--dec", "-90", "--lat", "-90", "--date", "9999-12-31", "--time", "23:59"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("rise never-sets\ntransit ")) << r.out.toStdString();
}
