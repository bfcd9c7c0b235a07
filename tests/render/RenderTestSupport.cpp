#include "RenderTestSupport.h"

#include "astro/SkyClock.h"
#include "planetarium/SkyChain.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "planetarium/catalog/Textures.h"
#include "platform/DataDir.h"
#include "platform/GlyphFont.h"

#include <QGuiApplication>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace rendertest {

namespace {

void EnsureApp() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

AltAz AltAzOfEquatorial(const nv::SkyState& s, const astro::Vec3& equ) {
    const astro::Vec3 h = astro::EquatorialToHorizon(
        equ, s.g_latitude, astro::LocalSiderealRotation(s.g_siderealAngle, s.g_longitude));
    AltAz out{};
    astro::AltAzFromHorizon(h, out.alt, out.az);
    return out;
}

} // namespace

Frame::Frame(int width, int height)
    : ctx((EnsureApp(), width), height, [] { return nv::ReserveTextureSlots(); }) {
    if (!ctx.ok()) return;
    res.Init();
    res.g_solarSystem = &solar;
    platform::BuildFont("tahoma", 12);
}

Frame::~Frame() {
    if (!ctx.ok()) return;
    ctx.makeCurrent();
    res.Release();
    platform::DeleteFont();
}

QImage Frame::Render(nv::SkyState& state, const nv::SkyCatalog& catalog) {
    ctx.makeCurrent();
    state.g_viewWidth = ctx.width(), state.g_viewHeight = ctx.height();
    nv::ApplySkyProjection(state);
    nv::RenderScene(state, catalog, res);
    return ctx.grab();
}

nv::SkyState DarkState() {
    nv::SkyState s;
    s.sw = nv::LayerSwitches{};
    s.sw.m_showEyepiece = false;
    s.g_nightVision = false;
    return s;
}

void SetClock(nv::SkyState& s, int year, int month, int day, int hour, int minute, float zone, double lat,
              double lon) {
    s.g_latitude = lat;
    s.g_longitude = lon;
    s.g_gmtOffset = zone;
    astro::UpdateSiderealAngle(astro::LocalClock{year, month, day, hour, minute}, s);
}

void SetLondonEvening(nv::SkyState& s) {
    SetClock(s, 2026, 12, 6, 22, 0, 0.0f, 51.5074, -0.1278);
}

nv::SkyState FullSky(Frame& frame, const nv::SkyCatalog& real, bool dayLight) {
    nv::SkyState s;
    s.sw =
        nv::LayerSwitches{true, true, true, true, true, true, true, true, true, true, true, true, true, true};
    s.sw.m_showDayLight = dayLight;
    SetLondonEvening(s);
    frame.ctx.makeCurrent();
    EXPECT_GT(LoadRealTextures(s), 100);
    frame.res.g_constellations.CopyStars(real);
    return s;
}

std::unique_ptr<nv::SkyCatalog> EmptyCatalog() {
    return std::make_unique<nv::SkyCatalog>();
}

const nv::SkyCatalog* RealCatalog(std::string* message) {
    static std::string failure;
    static const std::unique_ptr<nv::SkyCatalog> catalog = [] {
        const std::filesystem::path dir = NV_TEST_DATA_DIR;
        auto cat = std::make_unique<nv::SkyCatalog>();
        const nv::StarLoadReport report = nv::LoadStarData(*cat, dir / "hip.txt");
        if (!report.ok) {
            failure = "the data folder " + dir.string() +
                      " has no star catalogue (run scripts/build-data): " + report.message;
            return std::unique_ptr<nv::SkyCatalog>();
        }
        nv::ReadStarNames(dir / "starnames.txt", *cat);
        nv::ApplyStarCorrection(*cat);
        return cat;
    }();
    if (message != nullptr) *message = failure;
    return catalog.get();
}

int LoadRealTextures(nv::SkyState& s) {
    return nv::LoadAllTextures(s, std::filesystem::path(NV_TEST_DATA_DIR)).loaded;
}

AltAz AltAzOfDirection(const nv::SkyState& s, double x, double y, double z) {
    double ra = 0, dec = 0; // through right ascension and declination
    astro::RaDecFromVector({x, y, z}, ra, dec);
    return AltAzOfEquatorial(s, astro::CatalogueToDate(astro::EquatorialVector(ra, dec), nv::ChainOf(s)));
}

AltAz AltAzOfBody(const nv::SkyState& s, const astro::CSolarSystem& solar, int body) {
    const astro::BodyPosition& b = solar.Body(body);
    return AltAzOfEquatorial(s, astro::EclipticToEquatorial({b.x, b.y, b.z}));
}

void AimAt(nv::SkyState& s, double alt, double az) {
    s.m_viewPitch = static_cast<float>(-alt);
    // Yaw 0 faces east (azimuth 90), 90 north, 180 west, 270 south.
    s.m_viewYaw = static_cast<float>(std::fmod(450.0 - az + 720.0, 360.0));
}

int LitPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xffffff) != 0;
    return n;
}

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace rendertest
