#include "RenderScene.h"

#include "Grids.h"
#include "Messiers.h"
#include "MilkyWay.h"
#include "SkyFrames.h"
#include "planetarium/catalog/tables/ConstellationTable.h"
#include "planetarium/render/Projection.h"
#include "platform/GlyphFont.h"

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
    namesValid = false;
}

bool ReserveTextureSlots() {
    constexpr int kSlots = 210;
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

DayLight DayLightFor(float v, bool nightVision) {
    if (v < 0.2f && !nightVision) {
        const float level = 0.2f - v;
        return {true, level, {0.7f * level, 0.7f * level, 2.0f * level, 1.0f}};
    }
    return {false, v + 0.2f, {0.0f, 0.0f, 0.0f, 1.0f}};
}

namespace {

int BodyIndexOf(const std::string& name) {
    for (int k = 0; k < astro::kBodyCount; ++k)
        if (astro::kBodyNames[k] == name) return k;
    return -1;
}

astro::Vec3 PositionOf(const astro::BodyPosition& b) {
    return {b.x, b.y, b.z};
}

void RasterAt(float x, float y, float z) {
    glRasterPos3f(x, y, z);
}
void RasterAt(const Vec3f& v) {
    glRasterPos3f(v.x, v.y, v.z);
}
void RasterAt(const astro::BodyPosition& b) {
    glRasterPos3f(static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z));
}

// Step 5: turns the camera so the locked target sits at the centre of the view.
void ReaimLockOn(SkyState& s, const astro::CSolarSystem& solar) {
    astro::Vec3 target{s.g_lockX, s.g_lockY, s.g_lockZ};
    if (s.g_lockIsBody) {
        const int body = BodyIndexOf(s.g_lockName);
        if (body < 0) return;
        target = astro::EclipticToEquatorial(PositionOf(solar.Body(body)));
    }
    if (astro::Length(target) == 0.0) return; // no direction to aim at
    float pitch = s.m_viewPitch, yaw = s.m_viewYaw;
    astro::CameraAnglesForTarget(target, s.g_latitude, ChainOf(s).localSiderealRotation, pitch, yaw);
    s.m_viewPitch = pitch;
    s.m_viewYaw = yaw;
}

void DrawCompass(const SkyState& s, bool batchLabels) {
    LoadFrame(s, SkyFrame::Horizon);
    NightColour(s, 0.3f, 0.6f, 0.3f, 0.5f);
    {
        const platform::TextBatch labels(batchLabels);
        RasterAt(0.0f, -0.01f, 1.1f);
        PrintLabel("East");
        RasterAt(0.0f, -0.01f, -1.1f);
        PrintLabel("West");
        RasterAt(1.1f, -0.01f, 0.0f);
        PrintLabel("South");
        RasterAt(-1.1f, -0.01f, 0.0f);
        PrintLabel("North");
    }
    ApplyHorizonToEquatorial(s);
}

// Labels of a planet's moons in the planet's own turned frame; grey (65 - 4 |fov|) / 165, so
// black at wide fields and visible below 16.25 degrees.
template <class Offsets, class Names>
void DrawMoonLabels(const SkyState& s, const astro::BodyPosition& planet, const Offsets& offsets,
                    const Names& names, bool batchLabels) {
    glPushMatrix();
    glTranslatef(static_cast<float>(planet.x), static_cast<float>(planet.y), static_cast<float>(planet.z));
    const double turn =
        (planet.x == 0.0 && planet.y == 0.0) ? 0.0 : -std::atan(planet.x / planet.y) * g_radToDeg;
    glRotatef(static_cast<float>(turn), 0.0f, 0.0f, 1.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const float g = (65.0f - 4.0f * std::fabs(s.g_fov)) / 165.0f;
    if (g > 0.0f) { // a black label adds nothing
        glColor3f(g, g, g);
        const platform::TextBatch labels(batchLabels);
        for (size_t k = 0; k < names.size(); ++k) {
            glRasterPos3f(offsets[k].first, offsets[k].second, 0.0f);
            PrintLabel("%s", std::string(names[k]).c_str());
        }
    }
    glPopMatrix();
}

void DrawSolarSystem(SkyState& s, const astro::CSolarSystem& solar, RenderResources& res) {
    using namespace astro;
    LoadFrame(s, SkyFrame::Ecliptic);
    NightColour(s, 0.8f, 0.8f, 0.2f, 0.8f);
    static const char* const kLabels[kBodyCount] = {"  Sol",    " Moon",   " Mercury", " Venus",   " Mars",
                                                    " Jupiter", " Saturn", " Uranus",  " Neptune", " Pluto"};
    {
        const platform::TextBatch labels(res.fastPaths);
        for (int k = 0; k < kBodyCount; ++k) {
            RasterAt(solar.Body(k));
            PrintLabel("%s", kLabels[k]);
        }
    }
    std::array<std::pair<float, float>, 4> jupiter;
    for (int k = 0; k < 4; ++k)
        jupiter[k] = {static_cast<float>(solar.m_jupiterMoons[k].X),
                      static_cast<float>(solar.m_jupiterMoons[k].Y)};
    DrawMoonLabels(s, solar.Body(kJupiter), jupiter, kJupiterMoonNames, res.fastPaths);
    // Saturn's moons are drawn from their X and Z offsets.
    std::array<std::pair<float, float>, 8> saturn;
    for (int k = 0; k < 8; ++k)
        saturn[k] = {static_cast<float>(solar.m_saturnMoons[k].X),
                     static_cast<float>(solar.m_saturnMoons[k].Z)};
    DrawMoonLabels(s, solar.Body(kSaturn), saturn, kSaturnMoonNames, res.fastPaths);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    DrawBodies(s, solar, res.shapes, res.fastPaths);
}

} // namespace

bool RenderScene(SkyState& s, const SkyCatalog& catalog, RenderResources& res) {
    const LayerSwitches& sw = s.sw;
    astro::CSolarSystem& solar = *res.g_solarSystem;
    if (res.lastCatalog != &catalog) {
        res.CatalogChanged();
        res.lastCatalog = &catalog;
    }
    if (res.lastPicturesLoaded != s.m_picturesLoaded) {
        res.milkyWay.Invalidate();
        res.lastPicturesLoaded = s.m_picturesLoaded;
    }

    // 1. Texturing starts off (it is off at the end of every frame). The buffers are cleared once
    // the sky colour is known (step 3): one clear of colour and depth gives the same picture as
    // clearing both and then the colour again. The sky never uses the stencil buffer; clearing it
    // with the depth lets a combined depth-stencil buffer be filled whole rather than masked.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_TEXTURE_2D);

    // 2. Bodies for the sky clock. The daylight sky needs the Sun and a locked body its own
    // position, so the calculator also runs for them when the planets are hidden.
    const bool lockedOnBody = s.g_lockOn && s.g_lockIsBody;
    if (sw.m_showPlanets || sw.m_showDayLight || lockedOnBody)
        s.m_dayNumber =
            solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);

    // 3. Sky colour from the Sun's depression.
    const float lsr = ChainOf(s).localSiderealRotation;
    if (sw.m_showDayLight) {
        const float v = astro::SunDepression(PositionOf(solar.Body(astro::kSun)), s.g_latitude, lsr);
        const DayLight light = DayLightFor(v, s.g_nightVision);
        s.g_dayLightActive = light.active;
        s.g_dayLightLevel = light.level;
        glClearColor(light.clear[0], light.clear[1], light.clear[2], light.clear[3]);
    } else {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (res.fastPaths ? GL_STENCIL_BUFFER_BIT : 0));
    // Night vision: everything in red and black, textures and stars included.
    if (s.g_nightVision) glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);

    // 4. Milky Way.
    if (sw.m_showMilkyWay && !(sw.m_showDayLight && s.g_dayLightActive)) {
        glDisable(GL_DEPTH_TEST);
        s.m_texture = 1;
        const float g = sw.m_showDayLight ? 0.34f * s.g_dayLightLevel : 0.35f;
        glColor3f(g, g, g);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, s.m_texture);
        LoadFrame(s, SkyFrame::Equatorial);
        glRotatef(150.0f, 0.0f, 0.0f, 1.0f);
        glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
        // The sphere is opaque (alpha 1), so blending would only copy it: leave the read of the
        // frame buffer out, the picture is the same.
        GLint src = GL_SRC_ALPHA, dst = GL_ONE_MINUS_SRC_ALPHA;
        glGetIntegerv(GL_BLEND_SRC, &src);
        glGetIntegerv(GL_BLEND_DST, &dst);
        const bool plainCopy = glIsEnabled(GL_BLEND) && src == GL_SRC_ALPHA && dst == GL_ONE_MINUS_SRC_ALPHA;
        if (plainCopy) glDisable(GL_BLEND);
        // Black facets may be left out where the sphere is written as it is onto black.
        const bool writesAsIs = plainCopy || !glIsEnabled(GL_BLEND);
        float clear[4] = {1, 1, 1, 1};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        const bool ontoBlack = clear[0] == 0.0f && clear[1] == 0.0f && clear[2] == 0.0f && clear[3] == 1.0f;
        DrawMilkyWaySphere(res.shapes, res.fastPaths,
                           res.fastPaths && writesAsIs && ontoBlack ? &res.milkyWay : nullptr);
        if (plainCopy) glEnable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
    }

    // 5. Lock-on.
    if (s.g_lockOn) ReaimLockOn(s, solar);

    // 6. Ground layers' state.
    if (sw.m_showGround) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
    }

    // 7. Compass (always); leaves the equatorial frame current.
    DrawCompass(s, res.fastPaths);

    // 8. Constellation lines.
    if (sw.m_showConstLines) {
        NightColour(s, 0.4f, 0.4f, 1.0f, 0.4f);
        glBegin(GL_LINES);
        res.g_constellations.DrawLines();
        glEnd();
    }

    // 9. Messier pictures.
    if (sw.m_showMessiers) {
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_TEXTURE_2D);
        DrawMessiers(s, catalog);
        glDisable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    }

    // 10. Messier names, " M1" to " M109".
    if (sw.m_showMessierNames) {
        LoadFrame(s, SkyFrame::Equatorial);
        NightColour(s, 1.0f, 1.0f, 1.0f, 1.0f);
        const platform::TextBatch labels(res.fastPaths);
        for (int k = 1; k <= kMessierDrawn; ++k) {
            RasterAt(catalog.m_messierCentre[k - 1]);
            PrintLabel(" M%d", k);
        }
    }

    // 11. Stars.
    if (sw.m_showStars) {
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (res.batchStars)
            res.stars.Draw(s, catalog);
        else
            DrawStarsImmediate(s, catalog);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    }

    // 12. Star names.
    if (sw.m_showStarNames) {
        if (!res.namesValid) {
            res.namedStars.clear();
            for (int i = 0; i < kCatalogueLines; ++i)
                if (!catalog.m_starNames[i].empty()) res.namedStars.push_back(i);
            res.namesValid = true;
        }
        NightColour(s, 0.7f, 0.7f, 0.7f, 0.7f);
        const platform::TextBatch labels(res.fastPaths);
        for (int i : res.namedStars) {
            const StarRecord& star = catalog.m_stars[i];
            RasterAt(star.x, star.y, star.z);
            PrintLabel("%s", catalog.m_starNames[i].c_str());
        }
    }

    // 13. Constellation names.
    if (sw.m_showConstNames) {
        NightColour(s, 0.9f, 0.9f, 1.0f, 0.9f);
        const platform::TextBatch labels(res.fastPaths);
        for (int k = 0; k < kConstellationLabelCount; ++k) {
            RasterAt(ConstellationAnchor(k));
            PrintLabel("%s", kConstellationLabels[k].text);
        }
    }

    // 14. Sun, Moon, planets, their labels and the moons' labels.
    if (sw.m_showPlanets) DrawSolarSystem(s, solar, res);

    // 15. Eyepiece.
    if (sw.m_showEyepiece) DrawEyepiece(s);
    // 16, 17. Grids.
    if (sw.m_showAltAzi) DrawAltAziGrid(s, res.fastPaths);
    if (sw.m_showRaDec) DrawRaDecGrid(s, res.fastPaths);
    // 18. Ecliptic.
    if (sw.m_showEcliptic) DrawEcliptic(s);
    // 19. Horizon ring.
    if (sw.m_showGround) DrawHorizonRing(s);

    // 20. White, the projection as the resize sets it, identity model-view.
    glColor3f(1.0f, 1.0f, 1.0f);
    ApplySkyProjection(s, res.devicePixelRatio);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    return true;
}

} // namespace nv
