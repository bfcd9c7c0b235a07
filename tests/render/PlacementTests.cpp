// Where things land on the screen: stars and bodies at the altitude and azimuth the core gives,
// a true (unmirrored) view, and Messier pictures the right way round.
#include "RenderTestSupport.h"

#include "planetarium/catalog/tables/MessierTable.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace rendertest;

namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.ok()) << "no off-screen OpenGL context";
        SetLondonEvening(s);
    }
    // Aims off `where` (so the whole projection counts), draws, and checks that what `keep` picks
    // out near the expected pixel lies within 2 pixels of it.
    template <class Keep> void ExpectDrawnAt(const nv::SkyCatalog& cat, AltAz where, Keep keep, int what) {
        AimAt(s, where.alt + 9.0, where.az - 14.0);
        const auto expected = ExpectedPixel(s, where);
        ASSERT_TRUE(expected);
        const auto drawn = keep(frame.Render(s, cat), *expected);
        ASSERT_TRUE(drawn) << what << " not drawn near " << expected->x() << "," << expected->y();
        EXPECT_NEAR(drawn->x(), expected->x(), 2.0) << what;
        EXPECT_NEAR(drawn->y(), expected->y(), 2.0) << what;
    }
    Frame frame;
    std::unique_ptr<nv::SkyCatalog> empty = EmptyCatalog();
    nv::SkyState s = DarkState();
};

// The brightest part (within 90% of the brightest pixel) of what is drawn near `at`.
std::optional<QPointF> BrightCentre(const QImage& img, QPointF at) {
    int top = 0;
    for (int y = int(at.y()) - 40; y < int(at.y()) + 40; ++y)
        for (int x = int(at.x()) - 40; x < int(at.x()) + 40; ++x)
            if (img.valid(x, y))
                top = std::max(top, qRed(img.pixel(x, y)) + qGreen(img.pixel(x, y)) + qBlue(img.pixel(x, y)));
    return Centroid(img, at, 40,
                    [top](QRgb p) { return top > 0 && qRed(p) + qGreen(p) + qBlue(p) >= top * 9 / 10; });
}
bool White(QRgb p) {
    return qRed(p) >= 240 && qGreen(p) >= 240 && qBlue(p) >= 240;
}
bool Grey(QRgb p) {
    return qRed(p) > 20 && std::abs(qRed(p) - qBlue(p)) <= 3 && std::abs(qRed(p) - qGreen(p)) <= 3;
}

} // namespace

TEST_F(PlacementTest, BrightStarsLandWhereTheCoreSaysWithinTwoPixels) {
    std::string why;
    const nv::SkyCatalog* real = RealCatalog(&why);
    ASSERT_NE(real, nullptr) << why;
    s.sw.m_showStars = true;
    for (int hip : {91262, 32349}) { // Vega, Sirius
        auto one = EmptyCatalog();
        one->m_stars[hip] = real->m_stars[hip];
        frame.res.CatalogChanged(); // a new table (possibly at the old one's address)
        const nv::StarRecord& st = real->m_stars[hip];
        ExpectDrawnAt(*one, AltAzOfDirection(s, st.x, st.y, st.z), BrightCentre, hip);
    }
}

TEST_F(PlacementTest, MoonAndJupiterLandWhereTheCoreSaysWithinTwoPixels) {
    s.sw.m_showPlanets = true;
    frame.solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    // Jupiter: the white centre of its glow.
    ExpectDrawnAt(
        *empty, AltAzOfBody(s, frame.solar, astro::kJupiter),
        [](const QImage& img, QPointF at) { return Centroid(img, at, 20, White); }, astro::kJupiter);
    // The Moon: its disc (a white picture), grey where the Sun does not light it.
    MakeTexture(nv::kMoonTexture, 4, 4, {});
    ExpectDrawnAt(
        *empty, AltAzOfBody(s, frame.solar, astro::kMoon),
        [](const QImage& img, QPointF at) { return Centroid(img, at, 20, Grey); }, astro::kMoon);
}

TEST_F(PlacementTest, TheUnflippedViewIsTheSkyAsTheEyeSeesIt) {
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 330.0f; // facing azimuth 120: "East" 30 degrees left, "South" out of view
    auto words = [](const QImage& img, double x) { // the compass words in one half of the view
        return Centroid(img, QPointF(x, kHeight / 2), kWidth / 4, [](QRgb p) { return qGreen(p) > 0; });
    };
    const QImage img = frame.Render(s, *empty);
    const auto east = Centroid(img, *ExpectedPixel(s, {0.52, 90}) + QPointF(20, -5), 30,
                               [](QRgb p) { return qGreen(p) > 0; });
    ASSERT_TRUE(east) << "no word where east should be";
    EXPECT_LT(east->x(), kWidth / 2) << "facing south, east is on the left";
    EXPECT_FALSE(words(img, kWidth * 0.75));

    // The horizontal flip mirrors the picture, as an eyepiece diagonal would.
    s.g_flipHorizontal = true;
    const QImage flipped = frame.Render(s, *empty);
    EXPECT_TRUE(words(flipped, kWidth * 0.75)) << "the flipped view shows east on the right";
    EXPECT_FALSE(words(flipped, kWidth * 0.25));
}

TEST_F(PlacementTest, MessierPicturesReadAsTheirSourceImages) {
    nv::FillMessierTable(empty->m_messierCentre, empty->m_messierCorners);
    s.sw.m_showMessiers = true;
    s.g_fov = 4.0f;
    // M42's picture: left half red, right half green, with a blue top row band.
    std::vector<unsigned> picture(16 * 16);
    for (int i = 0; i < 16 * 16; ++i) picture[i] = i < 4 * 16 ? 0x0000ff : (i % 16 < 8 ? 0xff0000 : 0x00ff00);
    MakeTexture(142, 16, 16, picture);
    const nv::Vec3f c = empty->m_messierCentre[41];
    const AltAz centre = AltAzOfDirection(s, c.x, c.y, c.z);
    AimAt(s, centre.alt, centre.az);
    const QImage img = frame.Render(s, *empty);
    auto find = [&](auto keep) { return Centroid(img, QPointF(640, 400), 300, keep); };
    const auto red = find([](QRgb p) { return qRed(p) > 40 && qGreen(p) == 0; });
    const auto green = find([](QRgb p) { return qGreen(p) > 40 && qRed(p) == 0; });
    const auto blue = find([](QRgb p) { return qBlue(p) > 40; });
    ASSERT_TRUE(red && green && blue);
    // Where the sky's east and north lie on the screen around M42.
    double ra = 0, dec = 0;
    astro::RaDecFromVector({c.x, c.y, c.z}, ra, dec);
    auto screenOf = [&](double ra2, double dec2) {
        const astro::Vec3 v = astro::EquatorialVector(ra2, dec2);
        return *ExpectedPixel(s, AltAzOfDirection(s, v.x, v.y, v.z));
    };
    const QPointF here = screenOf(ra, dec);
    // The picture's left side is the sky's east, its top the sky's north.
    EXPECT_LT(QPointF::dotProduct(*green - *red, screenOf(ra + 0.5, dec) - here), 0);
    EXPECT_GT(QPointF::dotProduct(*blue - (*red + *green) / 2, screenOf(ra, dec + 0.5) - here), 0);
}
