// Where things land on the screen: stars and bodies at the altitude and azimuth the core gives,
// a true (unmirrored) view, Messier pictures the right way round, and pictures of London's sky.
#include "RenderTestSupport.h"

#include "planetarium/catalog/tables/MessierTable.h"

#include <QDir>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace rendertest;

namespace {

constexpr int kVega = 91262, kSirius = 32349, kRigel = 24436, kBetelgeuse = 27989;

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.ok()) << "no off-screen OpenGL context"; }
    Frame frame;
};

bool White(QRgb p) {
    return qRed(p) >= 240 && qGreen(p) >= 240 && qBlue(p) >= 240;
}

// The brightest part (within 90% of the brightest pixel) of what is drawn near `near`.
std::optional<QPointF> BrightCentre(const QImage& img, QPointF near, int radius) {
    int top = 0;
    for (int y = std::max(0, int(near.y()) - radius); y < std::min(img.height(), int(near.y()) + radius); ++y)
        for (int x = std::max(0, int(near.x()) - radius); x < std::min(img.width(), int(near.x()) + radius);
             ++x) {
            const QRgb p = img.pixel(x, y);
            top = std::max(top, qRed(p) + qGreen(p) + qBlue(p));
        }
    if (top == 0) return std::nullopt;
    return Centroid(img, near, radius,
                    [top](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) >= top * 9 / 10; });
}

} // namespace

TEST_F(PlacementTest, BrightStarsLandWhereTheCoreSaysWithinTwoPixels) {
    std::string why;
    const nv::SkyCatalog* real = RealCatalog(&why);
    ASSERT_NE(real, nullptr) << why;
    for (int hip : {kVega, kSirius}) {
        auto one = EmptyCatalog();
        one->m_stars[hip] = real->m_stars[hip];
        frame.res.CatalogChanged(); // a new table (possibly at the old one's address)
        nv::SkyState s = DarkState();
        SetLondonEvening(s);
        s.sw.m_showStars = true;
        const nv::StarRecord& st = real->m_stars[hip];
        const AltAz where = AltAzOfDirection(s, st.x, st.y, st.z);
        // Off the centre of the view, so the whole projection counts.
        AimAt(s, where.alt + 9.0, where.az - 14.0);
        const auto expected = ExpectedPixel(s, where);
        ASSERT_TRUE(expected);
        const QImage img = frame.Render(s, *one);
        const auto drawn = BrightCentre(img, *expected, 40);
        ASSERT_TRUE(drawn) << "HIP " << hip << " not drawn near " << expected->x() << "," << expected->y();
        EXPECT_NEAR(drawn->x(), expected->x(), 2.0) << "HIP " << hip;
        EXPECT_NEAR(drawn->y(), expected->y(), 2.0) << "HIP " << hip;
    }
}

TEST_F(PlacementTest, MoonAndJupiterLandWhereTheCoreSaysWithinTwoPixels) {
    auto empty = EmptyCatalog();
    nv::SkyState s = DarkState();
    SetLondonEvening(s);
    s.sw.m_showPlanets = true;
    frame.solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    struct Body {
        int index;
        bool (*keep)(QRgb);
    };
    // Jupiter: the white centre of its glow. The Moon: its disc, grey where the Sun does not light it.
    const Body bodies[] = {{astro::kJupiter, White}, {astro::kMoon, [](QRgb p) {
                                                          return qRed(p) > 20 &&
                                                                 std::abs(qRed(p) - qBlue(p)) <= 3 &&
                                                                 std::abs(qRed(p) - qGreen(p)) <= 3;
                                                      }}};
    for (const Body& b : bodies) {
        const AltAz where = AltAzOfBody(s, frame.solar, b.index);
        AimAt(s, where.alt - 7.0, where.az + 11.0);
        const auto expected = ExpectedPixel(s, where);
        ASSERT_TRUE(expected);
        const QImage img = frame.Render(s, *empty);
        const auto drawn = Centroid(img, *expected, 20, b.keep);
        ASSERT_TRUE(drawn) << "body " << b.index << " not drawn near " << expected->x() << ","
                           << expected->y();
        EXPECT_NEAR(drawn->x(), expected->x(), 2.0) << "body " << b.index;
        EXPECT_NEAR(drawn->y(), expected->y(), 2.0) << "body " << b.index;
    }
}

TEST_F(PlacementTest, TheUnflippedViewIsTheSkyAsTheEyeSeesIt) {
    auto empty = EmptyCatalog();
    nv::SkyState s = DarkState();
    SetLondonEvening(s);
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 315.0f; // facing south-east
    auto wordX = [&](const QImage& img, double az) {
        const auto at = ExpectedPixel(s, {0.52, az});
        return Centroid(img, *at + QPointF(20, -5), 30, [](QRgb p) { return qGreen(p) > 0; });
    };
    const QImage img = frame.Render(s, *empty);
    const auto east = wordX(img, 90), south = wordX(img, 180);
    ASSERT_TRUE(east && south);
    EXPECT_LT(east->x(), south->x()) << "facing south-east, east is on the left";

    // The horizontal flip mirrors the picture, as an eyepiece diagonal would.
    s.g_flipHorizontal = true;
    const QImage flipped = frame.Render(s, *empty);
    int eastPixels = 0;
    for (int y = 380; y < 420; ++y)
        for (int x = 1280 - int(east->x()) - 20; x < 1280 - int(east->x()) + 50; ++x)
            if (x >= 0 && x < 1280 && qGreen(flipped.pixel(x, y)) > 0) ++eastPixels;
    EXPECT_GT(eastPixels, 10) << "the flipped view shows east on the right";

    // Orion rising over London: Rigel to the right of (south of) Betelgeuse, both drawn where the
    // core puts them.
    std::string why;
    const nv::SkyCatalog* real = RealCatalog(&why);
    ASSERT_NE(real, nullptr) << why;
    nv::SkyState o = DarkState();
    SetLondonEvening(o);
    o.sw.m_showStars = true;
    const nv::StarRecord& rigel = real->m_stars[kRigel];
    const nv::StarRecord& betelgeuse = real->m_stars[kBetelgeuse];
    const AltAz r = AltAzOfDirection(o, rigel.x, rigel.y, rigel.z);
    const AltAz b = AltAzOfDirection(o, betelgeuse.x, betelgeuse.y, betelgeuse.z);
    EXPECT_GT(r.alt, 10.0) << "Orion is up";
    EXPECT_GT(r.az, 100.0);
    EXPECT_LT(r.az, 160.0) << "in the south-east";
    AimAt(o, (r.alt + b.alt) / 2, (r.az + b.az) / 2);
    const QImage sky = frame.Render(o, *real);
    const auto rigelAt = ExpectedPixel(o, r), betelgeuseAt = ExpectedPixel(o, b);
    ASSERT_TRUE(rigelAt && betelgeuseAt);
    EXPECT_GT(rigelAt->x(), betelgeuseAt->x() + 50) << "Rigel right of Betelgeuse";
    for (QPointF at : {*rigelAt, *betelgeuseAt}) {
        const auto drawn = BrightCentre(sky, at, 6);
        ASSERT_TRUE(drawn);
        EXPECT_NEAR(drawn->x(), at.x(), 2.0);
        EXPECT_NEAR(drawn->y(), at.y(), 2.0);
    }
}

TEST_F(PlacementTest, MessierPicturesReadAsTheirSourceImages) {
    auto cat = EmptyCatalog();
    nv::FillMessierTable(cat->m_messierCentre, cat->m_messierCorners);
    nv::SkyState s = DarkState();
    SetLondonEvening(s);
    s.sw.m_showMessiers = true;
    s.g_fov = 4.0f;
    // M42's picture: left half red, right half green, with a blue top row band.
    std::vector<unsigned> picture(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) picture[y * 16 + x] = y < 4 ? 0x0000ff : (x < 8 ? 0xff0000 : 0x00ff00);
    MakeTexture(142, 16, 16, picture);
    const nv::Vec3f c = cat->m_messierCentre[41];
    const AltAz centre = AltAzOfDirection(s, c.x, c.y, c.z);
    AimAt(s, centre.alt, centre.az);
    const QImage img = frame.Render(s, *cat);
    const auto red =
        Centroid(img, QPointF(640, 400), 300, [](QRgb p) { return qRed(p) > 40 && qGreen(p) == 0; });
    const auto green =
        Centroid(img, QPointF(640, 400), 300, [](QRgb p) { return qGreen(p) > 40 && qRed(p) == 0; });
    const auto blue = Centroid(img, QPointF(640, 400), 300, [](QRgb p) { return qBlue(p) > 40; });
    ASSERT_TRUE(red && green && blue);
    // Where the sky's east and north lie on the screen around M42.
    double ra = 0, dec = 0;
    astro::RaDecFromVector({c.x, c.y, c.z}, ra, dec);
    auto screenOf = [&](double ra2, double dec2) {
        const astro::Vec3 v = astro::EquatorialVector(ra2, dec2);
        return *ExpectedPixel(s, AltAzOfDirection(s, v.x, v.y, v.z));
    };
    const QPointF here = screenOf(ra, dec);
    const QPointF towardEast = screenOf(ra + 0.5, dec) - here;
    const QPointF towardNorth = screenOf(ra, dec + 0.5) - here;
    const QPointF leftToRight = *green - *red;
    const QPointF bottomToTop = *blue - (*red + *green) / 2;
    // The picture's left side is the sky's east, its top the sky's north.
    EXPECT_LT(QPointF::dotProduct(leftToRight, towardEast), 0);
    EXPECT_GT(QPointF::dotProduct(bottomToTop, towardNorth), 0);
}

// Pictures of London's sky, 2026-12-06 22:00 zone 0, for a look by eye: set NV_RENDER_PICTURES
// to a folder.
TEST_F(PlacementTest, LondonPictures) {
    const char* dir = std::getenv("NV_RENDER_PICTURES");
    if (dir == nullptr) GTEST_SKIP() << "NV_RENDER_PICTURES not set";
    std::string why;
    const nv::SkyCatalog* real = RealCatalog(&why);
    ASSERT_NE(real, nullptr) << why;
    nv::SkyState s;
    s.sw = nv::LayerSwitches{false, true, true, false, false, true, true,
                             true,  true, true, true,  false, true, true};
    SetLondonEvening(s);
    LoadRealTextures(s);
    frame.res.g_constellations.CopyStars(*real);
    struct View {
        const char* name;
        float yaw, pitch;
    };
    for (const View v : {View{"london-ese", 337.5f, -25.0f}, View{"london-north", 90.0f, -45.0f}}) {
        s.m_viewYaw = v.yaw, s.m_viewPitch = v.pitch;
        const QImage img = frame.Render(s, *real);
        EXPECT_TRUE(img.save(QDir(dir).filePath(QString(v.name) + ".png")));
    }
}
