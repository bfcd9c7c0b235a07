// The command line: window start, the snapshot options and their refusals.
#include "planetarium/app/Application.h"

#include <gtest/gtest.h>

using nv::app::LaunchMode;
using nv::app::ParseCommandLine;
using nv::app::SnapshotOptions;

TEST(CommandLine, NoArgumentsOpensTheWindow) {
    SnapshotOptions o;
    EXPECT_EQ(ParseCommandLine({}, o, nullptr), LaunchMode::Window);
}

TEST(CommandLine, SnapshotWithEveryOption) {
    SnapshotOptions o;
    QString error;
    const QStringList args = {"--snapshot", "sky.bmp", "--size", "800x600", "--date", "2026-12-06", "--time",
                              "22:00",      "--zone",  "-5",     "--lat",   "51.5",   "--lon",      "-0.1",
                              "--pitch",    "-20",     "--yaw",  "0",       "--fov",  "-40"};
    ASSERT_EQ(ParseCommandLine(args, o, &error), LaunchMode::Snapshot) << error.toStdString();
    EXPECT_EQ(o.file, "sky.bmp");
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_EQ(*o.date, QDate(2026, 12, 6));
    EXPECT_EQ(*o.time, QTime(22, 0));
    EXPECT_DOUBLE_EQ(*o.zone, -5.0);
    EXPECT_DOUBLE_EQ(*o.latitude, 51.5);
    EXPECT_DOUBLE_EQ(*o.longitude, -0.1);
    EXPECT_DOUBLE_EQ(*o.pitch, -20.0);
    EXPECT_DOUBLE_EQ(*o.yaw, 0.0);
    EXPECT_DOUBLE_EQ(*o.fov, -40.0);
}

TEST(CommandLine, SnapshotDefaultsToTheStartView) {
    SnapshotOptions o;
    ASSERT_EQ(ParseCommandLine({"--snapshot", "a.bmp"}, o, nullptr), LaunchMode::Snapshot);
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 800);
    EXPECT_FALSE(o.date || o.time || o.zone || o.latitude || o.longitude || o.pitch || o.yaw || o.fov);
}

TEST(CommandLine, StrangeValuesAreRefusedWithAReason) {
    const QStringList bad[] = {
        {"--snapshot"},                                  // no file
        {"--size", "10x10"},                             // options without a snapshot
        {"--snapshot", "a.bmp", "--size", "0x100"},      // empty picture
        {"--snapshot", "a.bmp", "--size", "100000x100"}, // absurd picture
        {"--snapshot", "a.bmp", "--size", "big"},        // not WxH
        {"--snapshot", "a.bmp", "--date", "2026-13-01"}, // no such month
        {"--snapshot", "a.bmp", "--time", "25:00"},      // no such hour
        {"--snapshot", "a.bmp", "--lat", "91"},          // beyond the pole
        {"--snapshot", "a.bmp", "--lat", "nan"},         // not a number
        {"--snapshot", "a.bmp", "--fov", "0"},           // the field is never zero
        {"--snapshot", "a.bmp", "--fov", "120"},         // wider than the zoom allows
        {"--snapshot", "a.bmp", "--zone", "30"},         // no such zone
        {"--snapshot", "a.bmp", "--colour", "red"},      // unknown option
        {"stray"},                                       // not an option
    };
    for (const QStringList& args : bad) {
        SnapshotOptions o;
        QString error;
        EXPECT_EQ(ParseCommandLine(args, o, &error), LaunchMode::BadArguments)
            << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
