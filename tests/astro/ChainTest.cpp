// The rotation chain and the view-centre readout: what each direction means.
#include "astro/Precession.h"
#include "astro/SkyRotation.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace astro;

// Catches a wrong precession model or epoch (a published example, theta Persei to 2028 November
// 13.19 on the mean equator of date, to 1") and a one-way rotation. (The frames' axes, the
// ecliptic step and the camera meet the reference sky in TrueSky and the placement tests.)
TEST(ChainMeaning, Precession) {
    const ChainInputs in2028{0, 0, 0, 0, PrecessionRotation(2462088.69)};
    double ra, dec;
    RaDecFromVector(
        CatalogueToDate(EquatorialVector((2 + 44 / 60.0 + 12.974 / 3600) * 15, 49 + 13 / 60.0 + 39.90 / 3600),
                        in2028),
        ra, dec);
    EXPECT_NEAR(ra, (2 + 46 / 60.0 + 11.331 / 3600) * 15, 1.0 / 3600);
    EXPECT_NEAR(dec, 49 + 20 / 60.0 + 54.54 / 3600, 1.0 / 3600);
    const ChainInputs in{0, 0, 0, 0, PrecessionRotation(2415020.0)};
    const Vec3 v{0.3, -0.5, 0.81}, back = DateToCatalogue(CatalogueToDate(v, in), in);
    EXPECT_LT(Length({back.x - v.x, back.y - v.y, back.z - v.z}), 1e-9);
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
    auto r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f}, false); // zenith: RA (lsr - 90) / 15
    EXPECT_TRUE(std::fabs(r.second - 47.0) < 1e-4 && std::fabs(r.first - 4.0) < 1e-5);
    for (float lsr : {90.0f, 89.99999f, 90.00001f, 450.0f})
        EXPECT_LT(UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, lsr}, false).first, 23.9999995) << lsr;
    EXPECT_EQ(UpdateViewCentreReadout({-90.0f, 0.0f, 20.0, 90.0f}, false).first, 0.0);
    // The zenith of 2100 at a sidereal time of 4 h reads as the J2000 place of that point.
    const GlRotation p2100 = PrecessionRotation(2488070.0);
    r = UpdateViewCentreReadout({-90.0f, 0.0f, 47.0, 150.0f, p2100}, false);
    double ra, dec;
    RaDecFromVector(DateToCatalogue(EquatorialVector(60.0, 47.0), {0, 0, 0, 0, p2100}), ra, dec);
    EXPECT_TRUE(std::fabs(r.first - ra / 15.0) < 1e-5 && std::fabs(r.second - dec) < 1e-4);
    EXPECT_GT(std::fabs(r.first - 4.0), 0.05);
}
