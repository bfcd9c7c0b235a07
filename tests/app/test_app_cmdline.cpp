// The command line: window start, the snapshot options and their refusals.
#include "planetarium/app/Application.h"

#include <cmath>
#include <gtest/gtest.h>

using nv::app::LaunchMode;
using nv::app::ParseCommandLine;
using nv::app::SnapshotOptions;

TEST(CommandLine, NoArgumentsOpensTheWindowAndASnapshotDefaultsToTheStartView) {
    SnapshotOptions o;
    EXPECT_EQ(ParseCommandLine({}, o, nullptr), LaunchMode::Window);
    ASSERT_EQ(ParseCommandLine({"--snapshot", "a.bmp"}, o, nullptr), LaunchMode::Snapshot);
    EXPECT_EQ(o.file, "a.bmp");
    EXPECT_EQ(std::make_pair(o.width, o.height), std::make_pair(1280, 800));
    EXPECT_FALSE(o.date || o.time || o.zone || o.latitude || o.longitude || o.pitch || o.yaw || o.fov);
}

TEST(CommandLine, SnapshotWithEveryOption) {
    SnapshotOptions o;
    QString error;
    const QStringList args = {"--snapshot", "sky.bmp", "--size", "800x600", "--date", "2026-12-06", "--time",
                              "22:00",      "--zone",  "-5",     "--lat",   "51.5",   "--lon",      "-0.1",
                              "--pitch",    "-20",     "--yaw",  "0",       "--fov",  "-40"};
    ASSERT_EQ(ParseCommandLine(args, o, &error), LaunchMode::Snapshot) << error.toStdString();
    EXPECT_EQ(o.file, "sky.bmp");
    EXPECT_EQ(std::make_tuple(o.width, o.height, o.date.value_or(QDate()), o.time.value_or(QTime())),
              std::make_tuple(800, 600, QDate(2026, 12, 6), QTime(22, 0)));
    const std::optional<double> read[] = {o.zone, o.latitude, o.longitude, o.pitch, o.yaw, o.fov};
    const double expected[] = {-5.0, 51.5, -0.1, -20.0, 0.0, -40.0};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(read[i].value_or(99.0), expected[i]) << i;
    // The poles are places too.
    for (const char* pole : {"90", "-90"}) {
        ASSERT_EQ(ParseCommandLine({"--snapshot", "a.bmp", "--lat", pole}, o, &error), LaunchMode::Snapshot)
            << pole;
        EXPECT_DOUBLE_EQ(std::fabs(o.latitude.value_or(0.0)), 90.0);
    }
}

TEST(CommandLine, StrangeValuesAreRefusedWithAReason) {
    QList<QStringList> bad = {
        {"--snapshot"}, {"--size", "10x10"}, {"stray"}}; // no file, no snapshot, no option
    const QStringList afterFile[] = {{"--size", "0x100"},
                                     {"--size", "100000x100"},
                                     {"--size", "big"},
                                     {"--date", "2026-13-01"},
                                     {"--time", "25:00"},
                                     {"--lat", "90.0001"},
                                     {"--lat", "-90.0001"},
                                     {"--lat", "nan"},
                                     {"--fov", "0"},
                                     {"--fov", "120"},
                                     {"--zone", "30"},
                                     {"--colour", "red"},
                                     // Numbers that would draw a black picture or wrap round.
                                     {"--pitch", "1e300"},
                                     {"--yaw", "1e300"},
                                     {"--yaw", "-360.5"},
                                     {"--lon", "180.5"},
                                     {"--zone", "-14.5"},
                                     {"--pitch", "inf"},
                                     // One date range for every way in: years 100 to 9999.
                                     {"--date", "0099-12-31"},
                                     {"--date", "10000-01-01"},
                                     {"--date", "4294969322-01-01"},
                                     {"--date", "2026-02-29"},
                                     {"--date", "2026-1-5x"},
                                     {"--time", "4294967303:00"},
                                     {"--time", "24:00"},
                                     {"--time", "12:60"}};
    for (const QStringList& tail : afterFile) bad << QStringList({"--snapshot", "a.bmp"}) + tail;
    for (const QStringList& args : bad) {
        SnapshotOptions o;
        QString error;
        EXPECT_EQ(ParseCommandLine(args, o, &error), LaunchMode::BadArguments)
            << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(CommandLine, TheEdgesOfEachRangeAreAcceptedAndARefusalNamesTheRange) {
    SnapshotOptions o;
    QString error;
    const QStringList edges = {"--snapshot", "a.bmp", "--date", "0100-01-01", "--time", "23:59",
                               "--pitch",    "360",   "--yaw",  "-360",       "--lat",  "-90",
                               "--lon",      "-180",  "--zone", "-14"};
    ASSERT_EQ(ParseCommandLine(edges, o, &error), LaunchMode::Snapshot) << error.toStdString();
    EXPECT_EQ(o.date.value_or(QDate()), QDate(100, 1, 1));
    EXPECT_EQ(o.pitch.value_or(0), 360.0);
    ASSERT_EQ(ParseCommandLine({"--snapshot", "a.bmp", "--date", "9999-12-31"}, o, &error),
              LaunchMode::Snapshot);
    ASSERT_EQ(ParseCommandLine({"--snapshot", "a.bmp", "--pitch", "1e300"}, o, &error),
              LaunchMode::BadArguments);
    EXPECT_TRUE(error.contains("1e+300") && error.contains("-360 to 360")) << error.toStdString();
}
