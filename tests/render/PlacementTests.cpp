// Where things land on the screen: stars and planets where an independent reference sky has them,
// a true (unmirrored) view, and Messier pictures the right way round.
#include "RenderTestSupport.h"

#include "../astro/Fixture.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/render/Bodies.h"

#include <GL/gl.h>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace rendertest;

namespace {

using PlacementTest = SkyFrameTest;

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
} // namespace

// Against the reference sky: three places and dates 1995-2040, catalogue stars (J2000, drawn on
// the sky of their date) and the planets where the reference ephemeris stands them, each within
// 2 pixels at 1280x800 and the 65-degree field. By 2040 the precession alone moves a star 7 pixels.
TEST_F(PlacementTest, StarsAndPlanetsLandWhereTheReferenceSkyHasThem) {
    const auto t = astrotest::LoadFixture("placement.csv", "render");
    ASSERT_GE(t.rows.size(), 100u);
    std::map<std::string, int> starsOf, planetsOf;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const std::string place = t.Str(r, "place"), what = t.Str(r, "object");
        const bool planet = t.Str(r, "ra").empty();
        // A spread of the stars (every fourth by name) and every planet of each place.
        if (!planet && starsOf[place]++ % 4 != 0) continue;
        if (planet) ++planetsOf[place];
        SetClock(s, t.Int(r, "year"), t.Int(r, "month"), t.Int(r, "day"), t.Int(r, "hour"),
                 t.Int(r, "minute"), static_cast<float>(t.Num(r, "zone")), t.Num(r, "lat"), t.Num(r, "lon"));
        s.sw = DarkState().sw;
        auto one = EmptyCatalog();
        int onlyBody = -1;
        if (planet) {
            s.sw.m_showPlanets = true;
            std::string name = what; // "Mercury" for "mercury"
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            for (int b = 0; b < astro::kBodyCount; ++b)
                if (nv::kSkyBodies[b].name == name) onlyBody = b;
            ASSERT_GE(onlyBody, 0) << what;
        } else {
            s.sw.m_showStars = true;
            const nv::Vec3f v = nv::SkyDirection(t.Num(r, "ra"), t.Num(r, "dec"));
            one->m_stars[1000] = {v.x, v.y, v.z, 2.0f, 1.0f};
        }
        frame.res.CatalogChanged();
        const AltAz where{t.Num(r, "alt"), t.Num(r, "az")};
        AimAt(s, where.alt + 9.0, where.az - 14.0); // off the centre, so the whole projection counts
        const auto expected = ExpectedPixel(s, where);
        ASSERT_TRUE(expected);
        QImage img = frame.Render(s, *one);
        if (onlyBody >= 0) { // the body's own glow alone: other planets, labels and the Moon crowd it
            astro::CSolarSystem alone;
            alone.m_bodies[onlyBody] = frame.solar.Body(onlyBody);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            for (const bool outreaching : {false, true}) nv::DrawBodiesAsStars(s, alone, outreaching, false);
            img = frame.ctx.grab();
        }
        const auto drawn = BrightCentre(img, *expected);
        ASSERT_TRUE(drawn) << place << " " << what << " not drawn near " << expected->x() << ","
                           << expected->y();
        EXPECT_NEAR(drawn->x(), expected->x(), 2.0) << place << " " << what;
        EXPECT_NEAR(drawn->y(), expected->y(), 2.0) << place << " " << what;
    }
    for (const auto& [place, n] : starsOf) {
        EXPECT_GE(n, 30) << place;
        EXPECT_EQ(planetsOf[place], 7) << place;
    }
}

// Catches a mirrored view or a flip that does nothing: facing azimuth 120, "East" stands 30
// degrees left of the centre and only the flip (an eyepiece diagonal) puts it on the right.
TEST_F(PlacementTest, TheUnflippedViewIsTheSkyAsTheEyeSeesIt) {
    s.m_viewPitch = 0.0f;
    s.m_viewYaw = 330.0f;
    for (const bool flip : {false, true}) {
        s.g_flipHorizontal = flip;
        const QImage img = frame.Render(s, *empty);
        for (const double x : {kWidth * 0.25, kWidth * 0.75}) // the compass words in each half
            EXPECT_EQ(bool(Centroid(img, QPointF(x, kHeight / 2), kWidth / 4,
                                    [](QRgb p) { return qGreen(p) > 0; })),
                      (x < kWidth / 2) != flip)
                << "flip " << flip << " half at " << x;
    }
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
