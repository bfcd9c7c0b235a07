// The drawing tests' off-screen frame, sky states, real catalogue, and the pixel where an
// altitude/azimuth appears, from plain viewing geometry.
#pragma once

#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/RenderScene.h"

#include "GlTestContext.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace rendertest {

inline constexpr int kWidth = 1280;
inline constexpr int kHeight = 800;

// A context with the label font and render resources; texture names 1..210 stay the pictures'.
struct Frame {
    explicit Frame(int width = kWidth, int height = kHeight);
    ~Frame();
    bool ok() const { return ctx.ok(); }
    QImage Render(nv::SkyState& state, const nv::SkyCatalog& catalog);

    nvtest::GlTestContext ctx;
    nv::RenderResources res;
    astro::CSolarSystem solar;
};

nv::SkyState DarkState(); // every switch off (the eyepiece too), night vision off
void SetClock(nv::SkyState& s, int year, int month, int day, int hour, int minute, float zone, double lat,
              double lon);
// London, 2026-12-06 22:00, zone 0.
void SetLondonEvening(nv::SkyState& s);
// London on 2026-12-06, at the local minute when the chart's Sun is closest to `altitude`.
void SetSunAltitude(nv::SkyState& s, double altitude);
// Every layer on for London's evening, the real pictures loaded, the figures on the real stars.
nv::SkyState FullSky(Frame& frame, const nv::SkyCatalog& real, bool dayLight = true);

std::unique_ptr<nv::SkyCatalog> EmptyCatalog();
// The real catalogue from the data folder, loaded once; null if it is not built.
const nv::SkyCatalog* RealCatalog();
inline constexpr const char* kNoCatalogue = "no star catalogue in the data folder: run scripts/build-data";
// Loads every texture of the data folder into the current context; returns how many loaded.
int LoadRealTextures(nv::SkyState& s);
// A white texture in slot `name`, or a picture given as rows of 0xRRGGBB, top row first.
void MakeTexture(unsigned name, int width, int height, const std::vector<unsigned>& rgbTopFirst);

// Altitude and azimuth (north through east) of a J2000 direction / a body on the date.
struct AltAz {
    double alt, az;
};
AltAz AltAzOfDirection(const nv::SkyState& s, double x, double y, double z);
AltAz AltAzOfBody(const nv::SkyState& s, const astro::CSolarSystem& solar, int body);
void AimAt(nv::SkyState& s, double alt, double az);

// The pixel (x right, y down, pixel centres at +0.5) where (alt, az) appears for the state's camera
// and field with a true (unmirrored) picture; nullopt behind the eye.
std::optional<QPointF> ExpectedPixel(const nv::SkyState& s, AltAz where, int width = kWidth,
                                     int height = kHeight);

// Pixels passing `keep`, weighted by brightness, inside a window around `near`.
template <class Keep>
std::optional<QPointF> Centroid(const QImage& img, QPointF near, int radius, Keep keep) {
    double sx = 0, sy = 0, sw = 0;
    for (int y = std::max(0, int(near.y()) - radius); y < std::min(img.height(), int(near.y()) + radius); ++y)
        for (int x = std::max(0, int(near.x()) - radius); x < std::min(img.width(), int(near.x()) + radius);
             ++x) {
            const QRgb p = img.pixel(x, y);
            if (!keep(p)) continue;
            const double w = qRed(p) + qGreen(p) + qBlue(p);
            sx += w * (x + 0.5), sy += w * (y + 0.5), sw += w;
        }
    if (sw == 0) return std::nullopt;
    return QPointF(sx / sw, sy / sw);
}

int LitPixels(const QImage& img);
int Differing(const QImage& a, const QImage& b);

// A frame, an empty and the real catalogue, and a dark sky state for London's evening.
class SkyFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.ok()) << "no off-screen OpenGL context";
        SetLondonEvening(s);
    }
    Frame frame;
    std::unique_ptr<nv::SkyCatalog> empty = EmptyCatalog();
    nv::SkyState s = DarkState();
    const nv::SkyCatalog* real = RealCatalog();
};

} // namespace rendertest
