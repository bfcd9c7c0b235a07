// The command line: window start, the snapshot options, their ranges and their refusals.
#include "planetarium/app/Application.h"

#include <cmath>
#include <gtest/gtest.h>

using nv::app::LaunchMode;
using nv::app::ParseCommandLine;
using nv::app::SnapshotOptions;

namespace {

// "--snapshot a.bmp" followed by the space-separated options in `tail`.
LaunchMode Parse(const char* tail, SnapshotOptions& o, QString* error = nullptr) {
    return ParseCommandLine(QStringList{"--snapshot", "a.bmp"} + QString(tail).split(' ', Qt::SkipEmptyParts),
                            o, error);
}

} // namespace

// Fault: an option read into the wrong field, or a default that is not the start view's.
TEST(CommandLine, EveryOptionIsReadIntoItsOwnField) {
    SnapshotOptions o;
    EXPECT_EQ(ParseCommandLine({}, o, nullptr), LaunchMode::Window);
    ASSERT_EQ(Parse("", o), LaunchMode::Snapshot);
    EXPECT_EQ(std::make_tuple(o.file, o.width, o.height), std::make_tuple(QString("a.bmp"), 1280, 800));
    EXPECT_FALSE(o.date || o.time || o.zone || o.latitude || o.longitude || o.pitch || o.yaw || o.fov);
    QString error;
    ASSERT_EQ(Parse("--size 800x600 --date 2026-12-06 --time 22:00 --zone -5 --lat 51.5 --lon -0.1 "
                    "--pitch -20 --yaw 0 --fov -40",
                    o, &error),
              LaunchMode::Snapshot)
        << error.toStdString();
    EXPECT_EQ(std::make_tuple(o.width, o.height, o.date.value_or(QDate()), o.time.value_or(QTime())),
              std::make_tuple(800, 600, QDate(2026, 12, 6), QTime(22, 0)));
    const std::optional<double> read[] = {o.zone, o.latitude, o.longitude, o.pitch, o.yaw, o.fov};
    const double expected[] = {-5.0, 51.5, -0.1, -20.0, 0.0, -40.0};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(read[i].value_or(99.0), expected[i]) << i;
}

// Fault: a range edge refused (the poles, year 100 or 9999, 23:59), or a guard off by a hair; a
// value outside its range (or one that wraps round 2^32) carried into the sky, where it draws a
// black picture or the wrong date with status 0.
TEST(CommandLine, RangeEdgesAreAcceptedAndStrangeValuesRefusedWithAReason) {
    SnapshotOptions o;
    QString error;
    for (const char* edges :
         {"--date 0100-01-01 --time 23:59 --pitch 360 --yaw -360 --lat -90 --lon -180 --zone -14",
          "--date 9999-12-31 --time 00:00 --pitch -360 --yaw 360 --lat 90 --lon 180 --zone 14"}) {
        ASSERT_EQ(Parse(edges, o, &error), LaunchMode::Snapshot) << edges << ": " << error.toStdString();
        EXPECT_EQ(std::fabs(o.latitude.value_or(0)), 90.0);
    }
    EXPECT_EQ(o.date.value_or(QDate()), QDate(9999, 12, 31));
    for (const QStringList& args : {QStringList{"--snapshot"}, {"--size", "10x10"}, {"stray"}}) {
        EXPECT_EQ(ParseCommandLine(args, o, &error), LaunchMode::BadArguments)
            << args.join(' ').toStdString();
    }
    const char* bad[] = {"--size 0x100", "--size 100000x100", "--size big", "--colour red", "--lat 90.0001",
                         "--lat -90.0001", "--lat nan", "--lon 180.5", "--zone 30", "--zone -14.5", "--fov 0",
                         "--fov 120", "--pitch 1e300", "--pitch inf", "--yaw 1e300", "--yaw -360.5",
                         // One date range for every way in: years 100 to 9999.
                         "--date 0099-12-31", "--date 10000-01-01", "--date 4294969322-01-01",
                         "--date 2026-02-29", "--date 2026-13-01", "--date 2026-1-5x", "--time 4294967303:00",
                         "--time 24:00", "--time 12:60"};
    for (const char* tail : bad) {
        error.clear();
        EXPECT_EQ(Parse(tail, o, &error), LaunchMode::BadArguments) << tail;
        EXPECT_FALSE(error.isEmpty()) << tail;
    }
    Parse("--pitch 1e300", o, &error);
    EXPECT_TRUE(error.contains("1e+300") && error.contains("-360 to 360")) << error.toStdString();
}
