// The rotation chain and the view-centre readout: what each direction means.
#include "astro/Precession.h"
#include "astro/SkyRotation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

namespace {

void ExpectVec(const Vec3& a, const Vec3& b, double tol = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

} // namespace

TEST(ChainMeaning, HorizonPoints) {
    // Zenith -y, north -x, east +z, south +x, west -z; the local sidereal time is lsr - 90, the pole
    // stands at the latitude above the north point and stars rise in the east (hour angle -90).
    const double lat = 40.0, lst = 123.0 - 90.0;
    struct Point {
        const char* name;
        Vec3 hor;
        double dec, ra;
    };
    for (const Point& p :
         {Point{"zenith", {0, -1, 0}, lat, lst}, Point{"north", {-1, 0, 0}, 90 - lat, lst + 180},
          Point{"south", {1, 0, 0}, lat - 90, lst}, Point{"east", {0, 0, 1}, 0, lst + 90},
          Point{"west", {0, 0, -1}, 0, lst - 90}}) {
        double ra, dec;
        RaDecFromVector(HorizonToEquatorial(p.hor, lat, 123.0f), ra, dec);
        EXPECT_NEAR(dec, p.dec, 1e-4) << p.name;
        EXPECT_NEAR(std::remainder(ra - p.ra, 360.0), 0.0, 1e-4) << p.name;
    }
    const Vec3 pole = EquatorialVector(0, 90);
    // At latitude 90 the pole is the zenith, at latitude 0 the north point.
    for (float s : {0.0f, 77.0f, 300.0f}) {
        ExpectVec(EquatorialToHorizon(pole, 90.0, s), {0, -1, 0});
        ExpectVec(EquatorialToHorizon(pole, 0.0, s), {-1, 0, 0});
    }
}

TEST(ChainMeaning, CameraHeadings) {
    // The eye looks along -z: the horizon-frame direction that lands on (0, 0, -1).
    auto lookDir = [](float pitch, float yaw) {
        const Mat4 m = SkyRotation({pitch, yaw, 10.0, 0.0f}, SkyFrame::Horizon);
        return Vec3{-m.m[2], -m.m[6], -m.m[10]}; // transpose applied to (0,0,-1)
    };
    // Pitch 0 looks at the horizon; yaw 0 east, 90 north, 180 west, 270 south.
    const Vec3 headings[4] = {{0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {1, 0, 0}};
    for (int k = 0; k < 4; ++k) ExpectVec(lookDir(0, 90.0f * k), headings[k]);
    EXPECT_NEAR(-lookDir(-30, 90).y, 0.5, 1e-6); // pitch -30 looks 30 degrees up
    // The camera angles that centre a catalogue target bring it back to the eye's -z axis in the
    // frame the catalogue is drawn in, precession included (a date two centuries out), and the view
    // centre reads back the same catalogue direction.
    const Vec3 target = EquatorialVector(250.0, -20.0);
    ChainInputs in{0.0f, 0.0f, 35.0, 200.0f, PrecessionRotation(2524594.5)};
    CameraAnglesForTarget(target, in, in.viewPitch, in.viewYaw);
    ExpectVec(SkyRotation(in, SkyFrame::Equatorial).Apply(target), {0, 0, -1}, 1e-5);
    ExpectVec(ViewCentreDirection(in), target, 1e-5);
}

TEST(ChainMeaning, PrecessionCarriesTheCatalogueToTheDate) {
    // A published example: theta Persei, J2000 a = 2h44m11.986s, d = +49 13' 42.48", with its proper
    // motion to 2028 November 13.19 (+0.988 s, -2.58"), is at a = 2h46m11.331s, d = +49 20' 54.54"
    // on the mean equator and equinox of that date (JD 2462088.69).
    const ChainInputs in{0, 0, 0, 0, PrecessionRotation(2462088.69)};
    double ra, dec;
    RaDecFromVector(
        CatalogueToDate(EquatorialVector((2 + 44 / 60.0 + 12.974 / 3600) * 15, 49 + 13 / 60.0 + 39.90 / 3600),
                        in),
        ra, dec);
    EXPECT_NEAR(ra, (2 + 46 / 60.0 + 11.331 / 3600) * 15, 1.0 / 3600);
    EXPECT_NEAR(dec, 49 + 20 / 60.0 + 54.54 / 3600, 1.0 / 3600);
    // About 50.3" a year about the ecliptic's pole: by 2100 the sky has turned 1.397 degrees, and
    // J2000's equinox stands at a = 1.2816, d = 0.5565 (the annual m = 3.075 s and n = 20.04" a
    // century long).
    const GlRotation p2100 = PrecessionRotation(2488070.0);
    EXPECT_NEAR(std::fabs(p2100.angle), 1.3972, 0.0005);
    const Vec3 eclipticPole = EquatorialVector(270.0, 90.0 - 23.4393);
    EXPECT_GT(std::fabs(p2100.x * eclipticPole.x + p2100.y * eclipticPole.y + p2100.z * eclipticPole.z),
              0.9999);
    RaDecFromVector(CatalogueToDate({0, 0, 1}, {0, 0, 0, 0, p2100}), ra, dec);
    EXPECT_NEAR(ra, 1.2816, 0.0005);
    EXPECT_NEAR(dec, 0.5565, 0.0005);
    // At J2000 only the frame bias is left (some hundredths of an arcsecond), and back is back.
    EXPECT_LT(std::fabs(PrecessionRotation(2451545.0).angle), 0.1 / 3600);
    const Vec3 v = EquatorialVector(123.0, -45.0);
    ExpectVec(DateToCatalogue(CatalogueToDate(v, {0, 0, 0, 0, p2100}), {0, 0, 0, 0, p2100}), v, 1e-9);
}

TEST(ChainMeaning, FrameMatricesMatchTheProcessorSteps) {
    const ChainInputs in{-12.5f, 33.0f, 51.5, 211.25f, PrecessionRotation(2415020.0)};
    int calls = 0;
    ApplySkyRotation(in, SkyFrame::Ecliptic, [&](float, float, float, float) { ++calls; });
    EXPECT_EQ(calls, 8);
    ExpectVec(RotationMatrix(90, 0, 0, 1).Apply({1, 0, 0}), {0, 1, 0}); // glRotatef: +x to +y
    // Each frame's matrix is the one before it after the processor-side steps; the catalogue's
    // frame is the equator of date after the precession, the ecliptic of date has none.
    const Vec3 v{0.3, -0.5, 0.81};
    ExpectVec(SkyRotation(in, SkyFrame::Ecliptic).Apply(v),
              SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(EclipticToEquatorial(v)));
    ExpectVec(SkyRotation(in, SkyFrame::Equatorial).Apply(v),
              SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(CatalogueToDate(v, in)));
    ExpectVec(SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(v),
              SkyRotation(in, SkyFrame::Horizon)
                  .Apply(EquatorialToHorizon(v, in.latitude, in.localSiderealRotation)));
    // The ecliptic steps carry longitude l, latitude b to the standard right ascension and declination.
    const double eps = kObliquity;
    for (double l : {0.0, 45.0, 90.0, 200.0, 315.0})
        for (double b : {-30.0, 0.0, 12.0}) {
            const double ra = Atan2D(SinD(l) * CosD(eps) - std::tan(b * g_degToRad) * SinD(eps), CosD(l));
            const double dec = AsinD(SinD(b) * CosD(eps) + CosD(b) * SinD(eps) * SinD(l));
            ExpectVec(EclipticToEquatorial({CosD(b) * CosD(l), CosD(b) * SinD(l), SinD(b)}),
                      EquatorialVector(ra, dec), 1e-7);
        }
}

TEST(Readout, AltAziCases) {
    // Altitude and azimuth; below the horizon negative, past the zenith not clamped.
    for (auto [yaw, pitch, alt, az] : {std::tuple{90.0f, -30.0f, 30.0, 0.0},
                                       {0.0f, 0.0f, 0.0, 90.0},
                                       {180.0f, 0.0f, 0.0, 270.0},
                                       {90.0f, 30.0f, -30.0, 0.0},
                                       {90.0f, -100.0f, 100.0, 0.0}}) {
        const auto r = UpdateViewCentreReadout({pitch, yaw, 53.0, 0.0f}, true);
        EXPECT_NEAR(r.first, alt, 5e-7) << yaw << " " << pitch;
        EXPECT_NEAR(r.second, az, 5e-7) << yaw << " " << pitch;
    }
}

TEST(Readout, EquatorialCases) {
    // At the zenith: declination = latitude, right ascension = (lsr - 90) / 15 hours.
    auto r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f}, false);
    EXPECT_NEAR(r.second, 47.0, 1e-4);
    EXPECT_NEAR(r.first, 4.0, 1e-5);
    EXPECT_NEAR(UpdateViewCentreReadout({0.0f, 0.0f, 0.0, 90.0f}, false).second, 0.0, 1e-5);     // east point
    EXPECT_NEAR(UpdateViewCentreReadout({-90.0f, 90.0f, 90.0, 0.0f}, false).second, 90.0, 1e-4); // pole
    // A right ascension of exactly 0 shows 0 h, never 24 h.
    for (float lsr : {90.0f, 89.99999f, 90.00001f, 450.0f}) {
        r = UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, lsr}, false);
        EXPECT_LT(r.first, 23.9999995) << lsr; // never printed as 24 h
    }
    EXPECT_EQ(UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, 90.0f}, false).first, 0.0);
    // With the sky carried to a date, the readout still speaks catalogue coordinates: the zenith of
    // 2100 at a sidereal time of 4 h reads as the J2000 place of that point of the sky.
    const GlRotation p2100 = PrecessionRotation(2488070.0);
    r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f, p2100}, false);
    double ra, dec;
    RaDecFromVector(DateToCatalogue(EquatorialVector(60.0, 47.0), {0, 0, 0, 0, p2100}), ra, dec);
    EXPECT_NEAR(r.first, ra / 15.0, 1e-5);
    EXPECT_NEAR(r.second, dec, 1e-4);
    EXPECT_GT(std::fabs(r.first - 4.0), 0.05); // about a degree of right ascension away
}

TEST(Readout, SunDepressionFollowsAltitude) {
    // The Sun at longitude 0 seen from the equator: zenith at lsr 90, horizon at 0, nadir at 270.
    for (auto [lsr, y] : {std::pair{90.0f, -1.0f}, {0.0f, 0.0f}, {270.0f, 1.0f}})
        EXPECT_NEAR(SunDepression({1, 0, 0}, 0.0, lsr), y, 1e-5) << lsr;
}
