// The viewer's drag rule and the command line's refusals, without a window.
#include "orbitviewer/Application.h"
#include "orbitviewer/ViewerState.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tessmoor;

static double Turn(double v) { // 0.2 x degrees(atan(v))
    return 0.2 * std::atan(v) * 180.0 / 3.141592653589793;
}

// Catches a turn not measured from the anchor or not scaled by the client size, an anchor that does
// not follow a reversal, a turn with no button held, and 0/0 before the first resize.
TEST(ViewerMouse, DragTurnsFromTheAnchorAndTurningBackMovesIt) {
    ViewerState s;
    s.g_viewerWidth = 1000, s.g_viewerHeight = 500;
    EXPECT_FALSE(DragRotate(s, 10, 10));
    BeginDrag(s, 100, 100);
    ASSERT_TRUE(DragRotate(s, 200, 150)); // 100 right, 50 down of the anchor
    EXPECT_TRUE(std::fabs(s.g_viewerYaw - (-30.0 + Turn(-0.1))) < 1e-5 &&
                std::fabs(s.g_viewerPitch - (100.0 - Turn(-0.1))) < 1e-5);
    DragRotate(s, 300, 150); // 200 px from the anchor now
    EXPECT_NEAR(s.g_viewerYaw, -30.0 + Turn(-0.1) + Turn(-0.2), 1e-5);
    const float yaw = s.g_viewerYaw;
    DragRotate(s, 250, 150); // back between the anchor and the last position: no sideways turn
    EXPECT_EQ(s.g_viewerYaw, yaw);
    DragRotate(s, 200, 150); // 50 px left of the anchor, which moved to 250
    EXPECT_NEAR(s.g_viewerYaw, yaw + Turn(0.05), 1e-5);
    EndDrag(s);
    EXPECT_FALSE(DragRotate(s, 0, 0));

    ViewerState fresh; // 0 wide before the first resize
    BeginDrag(fresh, 5, 5);
    DragRotate(fresh, 5, 5);
    EXPECT_TRUE(std::isfinite(fresh.g_viewerYaw) && std::isfinite(fresh.g_viewerPitch));
}

// Catches the viewer's own options (zoom, pitch, yaw) taken unchecked or the sky chart's accepted
// (the rules shared with the sky chart's options are tested there).
TEST(ViewerCommandLine, RefusesWhatItCannotDraw) {
    ViewerSnapshotOptions o;
    EXPECT_EQ(ParseViewerCommandLine({}, o, nullptr), platform::LaunchMode::Window);
    for (const QStringList& tail :
         {QStringList{"--zoom", "far"}, {"--fov", "30"}, {"--yaw", "inf"}, {"--pitch", "1e300"}}) {
        QString error;
        EXPECT_TRUE(ParseViewerCommandLine(QStringList{"--snapshot", "a.bmp"} + tail, o, &error) ==
                        platform::LaunchMode::BadArguments &&
                    !error.isEmpty())
            << tail.join(' ').toStdString();
    }
}
