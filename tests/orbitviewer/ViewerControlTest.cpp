// The viewer's mouse rules and its command line, without a window.
#include "orbitviewer/Application.h"
#include "orbitviewer/ViewerState.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessmoor;

namespace {

// 0.2 x degrees(atan(v)).
double Turn(double v) {
    return 0.2 * std::atan(v) * 180.0 / 3.141592653589793;
}

} // namespace

TEST(ViewerMouse, DragTurnsByTheDistanceFromTheAnchorAndTurningBackMovesTheAnchor) {
    ViewerState s;
    s.g_viewerWidth = 1000;
    s.g_viewerHeight = 500;
    EXPECT_FALSE(DragRotate(s, 10, 10)); // no button held: nothing turns
    EXPECT_EQ(s.g_viewerYaw, -30.0f);

    BeginDrag(s, 100, 100);
    ASSERT_TRUE(DragRotate(s, 200, 150)); // 100 right, 50 down of the anchor
    EXPECT_NEAR(s.g_viewerYaw, -30.0 + Turn(-0.1), 1e-5);
    EXPECT_NEAR(s.g_viewerPitch, 100.0 - Turn(-0.1), 1e-5);
    DragRotate(s, 300, 150); // further right: the turn grows with the distance, 200 px now
    EXPECT_NEAR(s.g_viewerYaw, -30.0 + Turn(-0.1) + Turn(-0.2), 1e-5);
    EXPECT_NEAR(s.g_viewerPitch, 100.0 - 2 * Turn(-0.1), 1e-5);

    // Back to the left, between the anchor and the last position: the anchor follows the pointer
    // and that move turns nothing sideways.
    const float yaw = s.g_viewerYaw;
    DragRotate(s, 250, 150);
    EXPECT_EQ(s.g_viewerYaw, yaw);
    EXPECT_EQ(s.m_anchorX, 250);
    DragRotate(s, 200, 150); // 50 px left of the new anchor
    EXPECT_NEAR(s.g_viewerYaw, yaw + Turn(0.05), 1e-5);

    EndDrag(s);
    EXPECT_FALSE(DragRotate(s, 0, 0));

    // Before the first size message the client is 0 wide: the turn stays finite.
    ViewerState fresh;
    BeginDrag(fresh, 5, 5);
    DragRotate(fresh, 5, 5);
    DragRotate(fresh, 0, 0);
    EXPECT_TRUE(std::isfinite(fresh.g_viewerYaw) && std::isfinite(fresh.g_viewerPitch));
}

TEST(ViewerMouse, WheelMovesTheEyeAFifthOfAnAuWithoutLimit) {
    ViewerState s;
    WheelZoom(s, -120);
    EXPECT_FLOAT_EQ(s.g_viewerZoom, -5.2f);
    WheelZoom(s, 0);
    EXPECT_FLOAT_EQ(s.g_viewerZoom, -5.4f);
    for (int k = 0; k < 40; ++k) WheelZoom(s, 120);
    EXPECT_NEAR(s.g_viewerZoom, 2.6f, 1e-4); // through the Sun and beyond
}

TEST(ViewerCommandLine, SnapshotOptionsAndTheirRefusals) {
    ViewerSnapshotOptions o;
    EXPECT_EQ(ParseViewerCommandLine({}, o, nullptr), platform::LaunchMode::Window);
    QString error;
    ASSERT_EQ(ParseViewerCommandLine({"--snapshot", "belt.bmp", "--size", "640x400", "--date", "2024-03-20",
                                      "--time", "03:06", "--zoom", "-12.5", "--pitch", "90", "--yaw", "0"},
                                     o, &error),
              platform::LaunchMode::Snapshot)
        << error.toStdString();
    EXPECT_EQ(o.file, "belt.bmp");
    EXPECT_EQ(std::make_tuple(o.width, o.height, *o.date, *o.time),
              std::make_tuple(640, 400, QDate(2024, 3, 20), QTime(3, 6)));
    EXPECT_EQ(std::make_tuple(*o.zoom, *o.pitch, *o.yaw), std::make_tuple(-12.5, 90.0, 0.0));

    const QStringList bad[] = {{"--zoom", "-3"},
                               {"--snapshot", "a.bmp", "--zoom", "far"},
                               {"--snapshot", "a.bmp", "--date", "0099-12-31"}, // before the pickers' years
                               {"--snapshot", "a.bmp", "--fov", "30"},          // the sky chart's, not ours
                               {"--snapshot", "a.bmp", "--yaw", "inf"}};
    for (const QStringList& args : bad) {
        ViewerSnapshotOptions refused;
        error.clear();
        EXPECT_EQ(ParseViewerCommandLine(args, refused, &error), platform::LaunchMode::BadArguments)
            << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
