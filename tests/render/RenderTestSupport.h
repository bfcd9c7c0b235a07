// The drawing tests' off-screen frame, sky states, catalogues, and where a direction stands in the
// observer's sky.
#pragma once

#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/RenderScene.h"

#include "GlTestContext.h"

#include <QImage>
#include <memory>

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
// Every layer on for London's evening, the real pictures loaded, the figures on the real stars.
nv::SkyState FullSky(Frame& frame, const nv::SkyCatalog& real, bool dayLight = true);

std::unique_ptr<nv::SkyCatalog> EmptyCatalog();
// The real catalogue from the data folder, loaded once; null if it is not built.
// The data folder's catalogue, loaded once (null, with the reason in `message`, if it is missing).
const nv::SkyCatalog* RealCatalog(std::string* message = nullptr);
// Loads the data folder's pictures into the current context; how many loaded.
int LoadRealTextures(nv::SkyState& s);
inline constexpr const char* kNoCatalogue = "no star catalogue in the data folder: run scripts/build-data";

// Altitude and azimuth (north through east) of a J2000 direction / a body on the date.
struct AltAz {
    double alt, az;
};
AltAz AltAzOfDirection(const nv::SkyState& s, double x, double y, double z);
AltAz AltAzOfBody(const nv::SkyState& s, const astro::CSolarSystem& solar, int body);
void AimAt(nv::SkyState& s, double alt, double az);

int LitPixels(const QImage& img);
int Differing(const QImage& a, const QImage& b);

} // namespace rendertest
