#include "RenderTestSupport.h"

#include "astro/SkyClock.h"
#include "planetarium/SkyChain.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "planetarium/catalog/Textures.h"
#include "platform/DataDir.h"
#include "platform/GlyphFont.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <QVector3D>
#include <cmath>
#include <filesystem>

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

// A direction in the observer's frame: north -x, zenith -y, east +z.
QVector3D Direction(double altDeg, double azDeg) {
    const double alt = altDeg * M_PI / 180, az = azDeg * M_PI / 180;
    return QVector3D(-std::cos(alt) * std::cos(az), -std::sin(alt), std::cos(alt) * std::sin(az));
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
    state.g_viewWidth = ctx.width();
    state.g_viewHeight = ctx.height();
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

void SetSunAltitude(nv::SkyState& s, double altitude) {
    astro::CSolarSystem solar;
    int best = 0;
    double bestErr = 1e9;
    for (int m = 0; m < 24 * 60; ++m) {
        SetClock(s, 2026, 12, 6, m / 60, m % 60, 0.0f, 51.5074, -0.1278);
        solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
        const double err = std::fabs(AltAzOfBody(s, solar, astro::kSun).alt - altitude);
        if (err < bestErr) bestErr = err, best = m;
    }
    SetClock(s, 2026, 12, 6, best / 60, best % 60, 0.0f, 51.5074, -0.1278);
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

const nv::SkyCatalog* RealCatalog() {
    static const std::unique_ptr<nv::SkyCatalog> catalog = [] {
        const std::filesystem::path dir = NV_TEST_DATA_DIR;
        auto cat = std::make_unique<nv::SkyCatalog>();
        if (!nv::LoadStarData(*cat, dir / "hip.txt").ok) return std::unique_ptr<nv::SkyCatalog>();
        nv::ReadStarNames(dir / "starnames.txt", *cat);
        nv::ApplyStarCorrection(*cat);
        return cat;
    }();
    return catalog.get();
}

int LoadRealTextures(nv::SkyState& s) {
    return nv::LoadAllTextures(s, std::filesystem::path(NV_TEST_DATA_DIR)).loaded;
}

void MakeTexture(unsigned name, int width, int height, const std::vector<unsigned>& rgbTopFirst) {
    std::vector<unsigned char> bgr(static_cast<size_t>(width) * height * 3, 255);
    for (size_t i = 0; i < rgbTopFirst.size(); ++i) {
        const size_t y = i / width, x = i % width;
        unsigned char* p = &bgr[((height - 1 - y) * width + x) * 3]; // bottom row first
        p[0] = rgbTopFirst[i] & 0xff, p[1] = (rgbTopFirst[i] >> 8) & 0xff,
        p[2] = (rgbTopFirst[i] >> 16) & 0xff;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
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

std::optional<QPointF> ExpectedPixel(const nv::SkyState& s, AltAz where, int width, int height) {
    // The camera looks at altitude -pitch, azimuth 450 - yaw, without roll: its up leans toward
    // the zenith, and forward x up points right.
    const QVector3D forward = Direction(-s.m_viewPitch, 450.0 - s.m_viewYaw), zenith(0, -1, 0);
    const QVector3D up = (zenith - QVector3D::dotProduct(zenith, forward) * forward).normalized();
    const QVector3D right = QVector3D::crossProduct(forward, up);
    const QVector3D d = Direction(where.alt, where.az);
    const double depth = QVector3D::dotProduct(d, forward);
    if (depth <= 0) return std::nullopt;
    const double t = std::tan(std::fabs(s.g_fov) * M_PI / 360.0);
    const double nx = QVector3D::dotProduct(d, right) / depth / (t * width / height);
    const double ny = QVector3D::dotProduct(d, up) / depth / t;
    return QPointF((nx + 1) / 2 * width, (1 - ny) / 2 * height);
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
