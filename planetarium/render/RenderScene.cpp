#include "RenderScene.h"

#include "Grids.h"
#include "Messiers.h"
#include "SkyFrames.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/render/Projection.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

namespace nv {

RenderResources::RenderResources() : g_solarSystem(&astro::g_solarSystem) {}

RenderResources::~RenderResources() = default;

void RenderResources::Init() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    static const float ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    static const float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const float position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);

    if (g_quadric == nullptr) {
        g_quadric = gluNewQuadric();
        m_ownsQuadric = g_quadric != nullptr;
        if (g_quadric != nullptr) {
            gluQuadricNormals(g_quadric, GLU_SMOOTH);
            gluQuadricTexture(g_quadric, GL_TRUE);
        }
    }
    shapes.SetQuadric(g_quadric);
    glMatrixMode(GL_MODELVIEW);
}

void RenderResources::SetQuadric(GLUquadric* quadric) {
    if (quadric == g_quadric) return;
    shapes.Release();
    if (m_ownsQuadric && g_quadric != nullptr) gluDeleteQuadric(g_quadric);
    g_quadric = quadric;
    m_ownsQuadric = false;
    shapes.SetQuadric(quadric);
}

void RenderResources::Release() {
    shapes.Release();
    shapes.SetQuadric(nullptr);
    if (m_ownsQuadric && g_quadric != nullptr) gluDeleteQuadric(g_quadric);
    g_quadric = nullptr;
    m_ownsQuadric = false;
}

void RenderResources::CatalogChanged() {
    stars.Invalidate();
    starLabels.Invalidate();
}

bool ReserveTextureSlots() {
    constexpr int kSlots = kLastPictureSlot;
    GLuint names[kSlots];
    glGenTextures(kSlots, names);
    for (int k = 0; k < kSlots; ++k)
        if (names[k] != static_cast<GLuint>(k + 1)) return false;
    return true;
}

void ApplySkyProjection(const SkyState& s, double devicePixelRatio) {
    const ProjectionParams p = SkyProjection(s.g_fov, s.g_flipHorizontal, s.g_viewWidth, s.g_viewHeight);
    const double scale = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    glViewport(0, 0, static_cast<int>(std::lround(p.width * scale)),
               static_cast<int>(std::lround(p.height * scale)));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(p.fovy, p.aspect, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ReaimLockOn(SkyState& s, const astro::CSolarSystem& solar) {
    // The lock holds a catalogue (J2000) direction; a body is where it stands on the date.
    const astro::ChainInputs chain = ChainOf(s);
    astro::Vec3 target{s.g_lockX, s.g_lockY, s.g_lockZ};
    if (s.g_lockIsBody) {
        const int body = BodyIndexOf(s.g_lockName);
        if (body < 0) return;
        const astro::BodyPosition& b = solar.Body(body);
        target = astro::DateToCatalogue(astro::EclipticToEquatorial({b.x, b.y, b.z}), chain);
    }
    if (astro::Length(target) == 0.0) return; // no direction to aim at
    float pitch = s.m_viewPitch, yaw = s.m_viewYaw;
    astro::CameraAnglesForTarget(target, chain, pitch, yaw);
    s.m_viewPitch = pitch;
    s.m_viewYaw = yaw;
}

DayLight UpdateFrameState(SkyState& s, const SkyCatalog& catalog, RenderResources& res) {
    if (res.lastCatalog != &catalog) {
        res.CatalogChanged();
        res.lastCatalog = &catalog;
    }
    if (res.lastPicturesLoaded != s.m_picturesLoaded) {
        res.milkyWay.Invalidate();
        res.lastPicturesLoaded = s.m_picturesLoaded;
    }
    // Bodies for the sky clock. The daylight sky needs the Sun and a locked body its own
    // position, so the calculator also runs for them when the planets are hidden.
    const LayerSwitches& sw = s.sw;
    astro::CSolarSystem& solar = *res.g_solarSystem;
    const bool lockedOnBody = s.g_lockOn && s.g_lockIsBody;
    if (sw.m_showPlanets || sw.m_showDayLight || lockedOnBody)
        s.m_dayNumber =
            solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);

    // The sky colour from the Sun's depression; without the daylight sky the frame is black and
    // the daylight values keep what the last daylight frame left.
    DayLight sky{false, s.g_dayLightLevel, {0.0f, 0.0f, 0.0f, 1.0f}};
    if (sw.m_showDayLight) {
        const astro::BodyPosition& sun = solar.Body(astro::kSun);
        const float v =
            astro::SunDepression({sun.x, sun.y, sun.z}, s.g_latitude, ChainOf(s).localSiderealRotation);
        sky = DayLightFor(v, s.g_nightVision);
        s.g_dayLightActive = sky.active;
        s.g_dayLightLevel = sky.level;
    }
    // The camera is aimed before anything is drawn, so every layer sees the same aim.
    if (s.g_lockOn) ReaimLockOn(s, solar);
    return sky;
}

namespace {

// Texturing starts off (it is off at the end of every frame). One clear of colour and depth once
// the sky colour is known gives the same picture as clearing both and then the colour again. The
// sky never uses the stencil buffer; clearing it with the depth lets a combined depth-stencil
// buffer be filled whole rather than masked. Night vision: everything in red and black, textures
// and stars included.
void BeginFrame(const SkyState& s, const DayLight& sky, bool fastPaths) {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glClearColor(sky.clear[0], sky.clear[1], sky.clear[2], sky.clear[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (fastPaths ? GL_STENCIL_BUFFER_BIT : 0));
    if (s.g_nightVision) glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
}

// The ground layers' blending, depth and texture state.
void PrepareGroundLayers() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
}

// White, the projection as the resize sets it, identity model-view, every colour written.
void EndFrame(const SkyState& s, double devicePixelRatio) {
    glColor3f(1.0f, 1.0f, 1.0f);
    ApplySkyProjection(s, devicePixelRatio);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace

bool RenderScene(SkyState& s, const SkyCatalog& catalog, RenderResources& res) {
    const DayLight sky = UpdateFrameState(s, catalog, res);
    const LayerSwitches& sw = s.sw;
    const bool batchLabels = res.fastPaths;
    BeginFrame(s, sky, res.fastPaths);
    if (sw.m_showMilkyWay && !(sw.m_showDayLight && s.g_dayLightActive))
        DrawMilkyWayLayer(s, res.shapes, res.fastPaths ? &res.milkyWay : nullptr);
    if (sw.m_showGround) PrepareGroundLayers();
    DrawCompass(s, batchLabels);
    if (sw.m_showConstLines) DrawConstellationLines(s, res.g_constellations);
    if (sw.m_showMessiers) DrawMessierLayer(s, catalog);
    if (sw.m_showMessierNames) DrawMessierNames(s, catalog, batchLabels);
    if (sw.m_showStars) DrawStarLayer(s, catalog, res.batchStars ? &res.stars : nullptr);
    if (sw.m_showStarNames) res.starLabels.Draw(s, catalog, batchLabels);
    if (sw.m_showConstNames) DrawConstellationNames(s, batchLabels);
    if (sw.m_showPlanets) DrawSolarSystem(s, *res.g_solarSystem, res.shapes, res.fastPaths);
    if (sw.m_showEyepiece) DrawEyepiece(s);
    if (sw.m_showAltAzi) DrawAltAziGrid(s, batchLabels);
    if (sw.m_showRaDec) DrawRaDecGrid(s, batchLabels);
    if (sw.m_showEcliptic) DrawEcliptic(s);
    if (sw.m_showGround) DrawHorizonRing(s);
    EndFrame(s, res.devicePixelRatio);
    return true;
}

} // namespace nv
