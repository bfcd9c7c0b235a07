// The rotation chain and the view-centre readout: what each direction means.
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

double AngleBetween(const Vec3& a, const Vec3& b) {
    const double c = (a.x * b.x + a.y * b.y + a.z * b.z) / (Length(a) * Length(b));
    return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg;
}

} // namespace

TEST(ChainMeaning, HorizonPoints) {
    // After the latitude and sidereal steps: zenith -y, north -x, east +z, south +x, west -z.
    const double lat = 40.0;
    const float lsr = 123.0f;
    const Vec3 zenith = HorizonToEquatorial({0, -1, 0}, lat, lsr);
    double ra, dec;
    RaDecFromVector(zenith, ra, dec);
    EXPECT_NEAR(dec, lat, 1e-5);
    EXPECT_NEAR(std::remainder(ra - (lsr - 90.0), 360.0), 0.0, 1e-5);
    // The pole stands at the latitude above the north point; the south point is opposite.
    const Vec3 pole = EquatorialVector(0, 90);
    EXPECT_NEAR(AngleBetween(HorizonToEquatorial({-1, 0, 0}, lat, lsr), pole), lat, 1e-4);
    EXPECT_NEAR(AngleBetween(HorizonToEquatorial({1, 0, 0}, lat, lsr), pole), 180.0 - lat, 1e-4);
    // East and west lie on the equator, 90 degrees from the meridian.
    double raE, decE, raW, decW;
    RaDecFromVector(HorizonToEquatorial({0, 0, 1}, lat, lsr), raE, decE);
    RaDecFromVector(HorizonToEquatorial({0, 0, -1}, lat, lsr), raW, decW);
    EXPECT_NEAR(decE, 0, 1e-5);
    EXPECT_NEAR(decW, 0, 1e-5);
    // Stars rise in the east: its hour angle is -90 degrees (right ascension = LST + 90).
    EXPECT_NEAR(std::remainder(raE - (ra + 90.0), 360.0), 0.0, 1e-4);
    EXPECT_NEAR(std::remainder(raW - (ra - 90.0), 360.0), 0.0, 1e-4);
}

TEST(ChainMeaning, PoleAtLatitude90And0) {
    const Vec3 pole = EquatorialVector(0, 90);
    for (float lsr : {0.0f, 77.0f, 300.0f}) {
        ExpectVec(EquatorialToHorizon(pole, 90.0, lsr), {0, -1, 0});
        ExpectVec(EquatorialToHorizon(pole, 0.0, lsr), {-1, 0, 0});
    }
}

TEST(ChainMeaning, CameraHeadings) {
    // Pitch 0 looks at the horizon; yaw 0 east, 90 north, 180 west, 270 south.
    const double lat = 10.0;
    const float lsr = 0.0f;
    const Mat4 m = SkyRotation({0.0f, 90.0f, lat, lsr}, SkyFrame::Horizon);
    // The eye looks along -z: the horizon-frame direction that lands on (0, 0, -1).
    auto lookDir = [](const Mat4& mm) { // transpose applied to (0,0,-1)
        return Vec3{-mm.m[2], -mm.m[6], -mm.m[10]};
    };
    ExpectVec(lookDir(m), {-1, 0, 0});
    ExpectVec(lookDir(SkyRotation({0.0f, 0.0f, lat, lsr}, SkyFrame::Horizon)), {0, 0, 1});
    ExpectVec(lookDir(SkyRotation({0.0f, 180.0f, lat, lsr}, SkyFrame::Horizon)), {0, 0, -1});
    ExpectVec(lookDir(SkyRotation({0.0f, 270.0f, lat, lsr}, SkyFrame::Horizon)), {1, 0, 0});
    // Pitch -30 looks 30 degrees up.
    const Vec3 up30 = lookDir(SkyRotation({-30.0f, 90.0f, lat, lsr}, SkyFrame::Horizon));
    EXPECT_NEAR(-up30.y, 0.5, 1e-6);
    // The camera angles that centre a target bring it back to the eye's -z axis.
    const Vec3 target = EquatorialVector(250.0, -20.0);
    float pitch, yaw;
    CameraAnglesForTarget(target, 35.0, 200.0f, pitch, yaw);
    const Vec3 eye = SkyRotation({pitch, yaw, 35.0, 200.0f}, SkyFrame::Equatorial).Apply(target);
    ExpectVec(eye, {0, 0, -1}, 1e-5);
}

TEST(ChainMeaning, MatrixMatchesSteps) {
    const ChainInputs in{-12.5f, 33.0f, 51.5, 211.25f};
    Mat4 m;
    int calls = 0;
    ApplySkyRotation(in, SkyFrame::Ecliptic, [&](float a, float x, float y, float z) {
        m = m * RotationMatrix(a, x, y, z);
        ++calls;
    });
    EXPECT_EQ(calls, 8);
    const Mat4 direct = SkyRotation(in, SkyFrame::Ecliptic);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(m.m[k], direct.m[k], 1e-12);
    // glRotatef semantics: 90 degrees about z carries +x to +y.
    ExpectVec(RotationMatrix(90, 0, 0, 1).Apply({1, 0, 0}), {0, 1, 0});
    const auto steps = SkyRotationSteps(in);
    EXPECT_FLOAT_EQ(steps[0].angle, 167.5f);
    EXPECT_FLOAT_EQ(steps[6].angle, -23.4393f);
}

TEST(ChainMeaning, EclipticStepsAreTheObliquityRotation) {
    // An ecliptic direction of longitude l, latitude b lands on the standard a, d.
    const double eps = kObliquity;
    for (double l : {0.0, 45.0, 90.0, 200.0, 315.0})
        for (double b : {-30.0, 0.0, 12.0}) {
            const Vec3 ecl{CosD(b) * CosD(l), CosD(b) * SinD(l), SinD(b)};
            double ra, dec;
            RaDecFromVector(EclipticToEquatorial(ecl), ra, dec);
            const double expRa = Atan2D(SinD(l) * CosD(eps) - std::tan(b * kDegToRad) * SinD(eps), CosD(l));
            const double expDec = AsinD(SinD(b) * CosD(eps) + CosD(b) * SinD(eps) * SinD(l));
            EXPECT_NEAR(std::remainder(ra - expRa, 360.0), 0.0, 1e-5) << l << " " << b;
            EXPECT_NEAR(dec, expDec, 1e-5) << l << " " << b;
        }
}

TEST(Readout, AltAziCases) {
    auto r = UpdateViewCentreReadout(90.0f, -30.0f, true, 53.0, 0.0f);
    EXPECT_EQ(r.text1043, "30.000000");
    EXPECT_EQ(r.text1044, "0.000000");
    r = UpdateViewCentreReadout(0.0f, 0.0f, true, 53.0, 0.0f);
    EXPECT_EQ(r.text1043, "0.000000");
    EXPECT_EQ(r.text1044, "90.000000");
    r = UpdateViewCentreReadout(180.0f, 0.0f, true, 53.0, 0.0f);
    EXPECT_EQ(r.text1044, "270.000000");
    r = UpdateViewCentreReadout(90.0f, -100.0f, true, 53.0, 0.0f); // past the zenith: not clamped
    EXPECT_EQ(r.text1043, "100.000000");
}

TEST(Readout, EquatorialCases) {
    // At the zenith: declination = latitude, right ascension = (lsr - 90) / 15 hours.
    auto r = UpdateViewCentreReadout(0.0f, -90.0f, false, 47.0, 150.0f);
    EXPECT_NEAR(r.second, 47.0, 1e-4);
    EXPECT_NEAR(r.first, 4.0, 1e-5);
    EXPECT_EQ(r.text1043.substr(r.text1043.size() - 2), " h");
    // A point on the equator shows 0; the north pole +90.
    r = UpdateViewCentreReadout(0.0f, 0.0f, false, 0.0, 90.0f); // looking east from the equator
    EXPECT_NEAR(r.second, 0.0, 1e-5);
    r = UpdateViewCentreReadout(90.0f, -90.0f, false, 90.0, 0.0f);
    EXPECT_NEAR(r.second, 90.0, 1e-4);
    // A right ascension of exactly 0 shows 0 h, never 24 h.
    for (float lsr : {90.0f, 89.99999f, 90.00001f, 450.0f}) {
        r = UpdateViewCentreReadout(0.0f, -90.0f, false, 20.0, lsr);
        EXPECT_LT(r.first, 24.0) << lsr;
        EXPECT_NE(r.text1043, "24.000000 h");
    }
    r = UpdateViewCentreReadout(0.0f, -90.0f, false, 20.0, 90.0f);
    EXPECT_EQ(r.text1043, "0.000000 h");
}

TEST(Readout, SunDepressionFollowsAltitude) {
    // Sun at ecliptic longitude 0 (on the equator at a = 0): at lsr 90 it is at the zenith of the
    // equator, at lsr 270 at the nadir.
    EXPECT_NEAR(SunDepression({1, 0, 0}, 0.0, 90.0f), -1.0f, 1e-5);
    EXPECT_NEAR(SunDepression({1, 0, 0}, 0.0, 270.0f), 1.0f, 1e-5);
    EXPECT_NEAR(SunDepression({1, 0, 0}, 0.0, 0.0f), 0.0f, 1e-5);
}
