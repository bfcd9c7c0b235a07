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

// Catches a swapped axis or sign in the horizon frame (zenith -y, north -x, east +z), a sidereal
// offset other than lsr - 90, and camera headings turned the wrong way.
TEST(ChainMeaning, HorizonPointsAndCameraHeadings) {
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
    // The eye looks along -z: pitch 0 at the horizon; yaw 0 east, 90 north, 180 west, 270 south.
    auto lookDir = [](float pitch, float yaw) {
        const Mat4 m = SkyRotation({pitch, yaw, 10.0, 0.0f}, SkyFrame::Horizon);
        return Vec3{-m.m[2], -m.m[6], -m.m[10]};
    };
    const Vec3 headings[4] = {{0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {1, 0, 0}};
    for (int k = 0; k < 4; ++k) ExpectVec(lookDir(0, 90.0f * k), headings[k]);
    EXPECT_NEAR(-lookDir(-30, 90).y, 0.5, 1e-6); // pitch -30 looks 30 degrees up
    // The angles that centre a catalogue target put it on the eye's axis, precession included,
    // and the view centre reads back the same direction.
    const Vec3 target = EquatorialVector(250.0, -20.0);
    ChainInputs in{0.0f, 0.0f, 35.0, 200.0f, PrecessionRotation(2524594.5)};
    CameraAnglesForTarget(target, in, in.viewPitch, in.viewYaw);
    ExpectVec(SkyRotation(in, SkyFrame::Equatorial).Apply(target), {0, 0, -1}, 1e-5);
    ExpectVec(ViewCentreDirection(in), target, 1e-5);
}

// Catches a wrong precession model or epoch (a published example, theta Persei to 2028 November
// 13.19 on the mean equator of date, to 1"), a one-way rotation, and drawing frames that drift
// from the processor's steps (the ecliptic steps against the standard conversion).
TEST(ChainMeaning, PrecessionAndFrames) {
    const ChainInputs in2028{0, 0, 0, 0, PrecessionRotation(2462088.69)};
    double ra, dec;
    RaDecFromVector(
        CatalogueToDate(EquatorialVector((2 + 44 / 60.0 + 12.974 / 3600) * 15, 49 + 13 / 60.0 + 39.90 / 3600),
                        in2028),
        ra, dec);
    EXPECT_NEAR(ra, (2 + 46 / 60.0 + 11.331 / 3600) * 15, 1.0 / 3600);
    EXPECT_NEAR(dec, 49 + 20 / 60.0 + 54.54 / 3600, 1.0 / 3600);
    const ChainInputs in{-12.5f, 33.0f, 51.5, 211.25f, PrecessionRotation(2415020.0)};
    const Vec3 v{0.3, -0.5, 0.81};
    ExpectVec(DateToCatalogue(CatalogueToDate(v, in), in), v, 1e-9);
    ExpectVec(SkyRotation(in, SkyFrame::Ecliptic).Apply(v),
              SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(EclipticToEquatorial(v)));
    ExpectVec(SkyRotation(in, SkyFrame::Equatorial).Apply(v),
              SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(CatalogueToDate(v, in)));
    ExpectVec(SkyRotation(in, SkyFrame::EquatorialOfDate).Apply(v),
              SkyRotation(in, SkyFrame::Horizon)
                  .Apply(EquatorialToHorizon(v, in.latitude, in.localSiderealRotation)));
    const double eps = kObliquity;
    for (double l : {0.0, 45.0, 90.0, 200.0, 315.0})
        for (double b : {-30.0, 0.0, 12.0}) {
            const double ra2 = Atan2D(SinD(l) * CosD(eps) - std::tan(b * g_degToRad) * SinD(eps), CosD(l));
            const double dec2 = AsinD(SinD(b) * CosD(eps) + CosD(b) * SinD(eps) * SinD(l));
            ExpectVec(EclipticToEquatorial({CosD(b) * CosD(l), CosD(b) * SinD(l), SinD(b)}),
                      EquatorialVector(ra2, dec2), 1e-7);
        }
}

// Catches readouts with a wrong sign or offset, a clamped altitude past the zenith, a right
// ascension of 0 shown as 24 h, and a readout in the equator of date instead of the catalogue's.
TEST(Readout, AltAziAndEquatorial) {
    for (auto [yaw, pitch, alt, az] : {std::tuple{90.0f, -30.0f, 30.0, 0.0},
                                       {0.0f, 0.0f, 0.0, 90.0},
                                       {180.0f, 0.0f, 0.0, 270.0},
                                       {90.0f, -100.0f, 100.0, 0.0}}) {
        const auto r = UpdateViewCentreReadout({pitch, yaw, 53.0, 0.0f}, true);
        EXPECT_NEAR(r.first, alt, 5e-7) << yaw << " " << pitch;
        EXPECT_NEAR(r.second, az, 5e-7) << yaw << " " << pitch;
    }
    // At the zenith: declination = latitude, right ascension = (lsr - 90) / 15 hours.
    auto r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f}, false);
    EXPECT_NEAR(r.second, 47.0, 1e-4);
    EXPECT_NEAR(r.first, 4.0, 1e-5);
    for (float lsr : {90.0f, 89.99999f, 90.00001f, 450.0f})
        EXPECT_LT(UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, lsr}, false).first, 23.9999995) << lsr;
    EXPECT_EQ(UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, 90.0f}, false).first, 0.0);
    // The zenith of 2100 at a sidereal time of 4 h reads as the J2000 place of that point.
    const GlRotation p2100 = PrecessionRotation(2488070.0);
    r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f, p2100}, false);
    double ra, dec;
    RaDecFromVector(DateToCatalogue(EquatorialVector(60.0, 47.0), {0, 0, 0, 0, p2100}), ra, dec);
    EXPECT_NEAR(r.first, ra / 15.0, 1e-5);
    EXPECT_NEAR(r.second, dec, 1e-4);
    EXPECT_GT(std::fabs(r.first - 4.0), 0.05);
    // The Sun's depression: the Sun at longitude 0 seen from the equator, zenith at lsr 90.
    for (auto [lsr, y] : {std::pair{90.0f, -1.0f}, {0.0f, 0.0f}, {270.0f, 1.0f}})
        EXPECT_NEAR(SunDepression({1, 0, 0}, 0.0, lsr), y, 1e-5) << lsr;
}
