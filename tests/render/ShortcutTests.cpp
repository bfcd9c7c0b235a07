// The frame's shortcuts (batched stars, the stencil cleared with the depth, the Milky Way's
// level-0 part) draw exactly the picture of the plain path, on the real catalogue and pictures.
#include "RenderTestSupport.h"

#include "imaging/Bmp.h"
#include "planetarium/catalog/Textures.h"
#include "planetarium/render/MilkyWay.h"

#include <GL/gl.h>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace rendertest;

// Catches a shortcut that changes a pixel, a frame that leaves GL errors, texturing or a closed
// colour mask behind, and any layer drawing green or blue under night vision (at 12 degrees the
// Messier pictures and the moon labels show too).
TEST(ShortcutTest, EveryLayerDrawsTheSamePictureWithAndWithoutShortcuts) {
    const nv::SkyCatalog* real = RealCatalog();
    ASSERT_NE(real, nullptr) << kNoCatalogue;
    Frame frame;
    ASSERT_TRUE(frame.ok());
    nv::SkyState s = FullSky(frame, *real);
    while (glGetError() != GL_NO_ERROR) {
    }
    struct View {
        float fov, pitch, yaw;
        bool flip, night, dayLight;
    };
    for (const View v : {View{65, -30, 90, false, false, true}, View{65, -10, 200, false, false, true},
                         View{20, -40, 300, false, false, true}, View{-40, -60, 30, true, false, false},
                         View{100, -20, 150, false, true, true}, View{65, -80, 0, false, false, false},
                         View{10, -25, 60, false, false, false}, View{120, -45, 250, true, false, true},
                         View{12, -20, 337.5, false, true, true}}) {
        s.g_fov = v.fov, s.m_viewPitch = v.pitch, s.m_viewYaw = v.yaw, s.g_flipHorizontal = v.flip;
        s.g_nightVision = v.night;
        s.sw.m_showDayLight = v.dayLight;
        frame.res.batchStars = false, frame.res.fastPaths = false;
        const QImage plain = frame.Render(s, *real);
        frame.res.batchStars = true, frame.res.fastPaths = true;
        const QImage fast = frame.Render(s, *real);
        GLboolean mask[4];
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        EXPECT_TRUE(glGetError() == GL_NO_ERROR && !glIsEnabled(GL_TEXTURE_2D) && mask[0] && mask[1] &&
                    mask[2] && mask[3])
            << "GL state left behind";
        for (int y = 0; v.night && y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(fast.pixel(x, y) & 0xffff, 0u) << "green or blue at night";
        EXPECT_GT(LitPixels(plain), 10000) << "fov " << v.fov << " yaw " << v.yaw;
        EXPECT_EQ(Differing(plain, fast), 0) << "fov " << v.fov << " yaw " << v.yaw;
    }
}

// A Milky Way picture that is black but for a faint band (grey 2, which still shows as 1 at the
// sphere's 0.35) and a bright texel near each pole, where the mipmaps are sampled; loaded the way
// the program loads pictures.
void WriteMilkyWay(const std::filesystem::path& dir, bool black) {
    imaging::BmpImage image;
    image.width = 256, image.height = 128;
    image.pixels.assign(image.rowStride() * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int v = black ? 0 : 2;
            if (black && y >= 60 && y < 68) v = 2;
            if (black && ((x == 200 && y == 2) || (x == 37 && y == 124))) v = 250;
            for (int c = 0; c < 3; ++c)
                image.pixels[y * image.rowStride() + x * 3 + c] = static_cast<uint8_t>(v);
        }
    ASSERT_TRUE(imaging::WriteBmp24(dir / "milky.bmp", image));
}

TEST(ShortcutTest, MilkyWayLeavesOutOnlyFacetsThatDrawBlack) {
    Frame frame;
    ASSERT_TRUE(frame.ok());
    const auto catalog = EmptyCatalog();
    nv::SkyState s = DarkState();
    s.sw.m_showMilkyWay = true;
    SetLondonEvening(s);
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    // Views around the sky, and the sphere's poles (it is turned 150 degrees about z after 30 about x).
    std::vector<std::pair<float, float>> aims = {{-10, 0}, {-10, 130}, {-10, 250},
                                                 {-60, 0}, {-60, 130}, {-60, 250}};
    for (const double sign : {1.0, -1.0}) {
        const AltAz pole = AltAzOfDirection(s, sign * 0.25, sign * 0.4330127, sign * 0.8660254);
        AimAt(s, pole.alt, pole.az);
        aims.push_back({s.m_viewPitch, s.m_viewYaw});
    }
    for (const bool black : {true, false}) { // then a faint grey all over: nothing may be left out
        WriteMilkyWay(folder, black);
        nv::LoadAllTextures(s, folder);
        int lit = 0;
        for (const float fov : {65.0f, 20.0f, 120.0f})
            for (const auto& [pitch, yaw] : aims) {
                s.g_fov = fov, s.m_viewPitch = pitch, s.m_viewYaw = yaw;
                frame.res.fastPaths = false;
                const QImage plain = frame.Render(s, *catalog);
                frame.res.fastPaths = true;
                lit += LitPixels(plain);
                EXPECT_EQ(Differing(plain, frame.Render(s, *catalog)), 0)
                    << "black " << black << " fov " << fov << " pitch " << pitch << " yaw " << yaw;
            }
        EXPECT_GT(lit, black ? 1000 : 100000);
        const int drawn = frame.res.milkyWay.FacetsDrawn();
        EXPECT_TRUE(black ? drawn > 0 && drawn < 1024 / 2 : drawn == 1024)
            << "black " << black << ": " << drawn;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Catches a level-0 part that reaches the sphere's pole (where the picture is minified), or one
// claimed for a picture too large or an eye off the sphere's centre.
TEST(ShortcutTest, MilkyWayLevelZeroPartKeepsClearOfThePoles) {
    const int vp[4] = {0, 0, 1280, 800};
    const float f = static_cast<float>(1.0 / std::tan(65.0 * M_PI / 360.0)); // 65 degrees at 1280x800
    const float pr[16] = {f / 1.6f, 0, 0, 0, 0, f, 0, 0, 0, 0, -1.0002f, -1, 0, 0, -0.0002f, 0};
    const float atPole[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; // pole mid-screen
    const nv::LevelZeroSplit centre = nv::FindLevelZeroPart(atPole, pr, vp, 1024, 512);
    const nv::ScreenRect& z = centre.levelZero;
    EXPECT_FALSE(640 >= z.x && 640 < z.x + z.width && 400 >= z.y && 400 < z.y + z.height);
    float across[16] = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}; // the pole far off-screen
    EXPECT_EQ(nv::FindLevelZeroPart(across, pr, vp, 1024, 512).levelZero.Area(), 1280LL * 800);
    EXPECT_EQ(nv::FindLevelZeroPart(across, pr, vp, 16384, 8192).levelZero.Area(), 0);
    across[12] = 0.1f; // the eye moved
    EXPECT_EQ(nv::FindLevelZeroPart(across, pr, vp, 1024, 512).levelZero.Area(), 0);
}
