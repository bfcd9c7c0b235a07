// One complete frame of the sky: first the frame's state is brought up to date (bodies for the
// sky clock, the daylight, the aim of a locked camera), then every enabled layer is drawn in its
// fixed order from the sky state and catalogue it is given, into the current OpenGL context's
// draw buffer (the caller swaps).
//
//   nv::RenderResources res;          // one per OpenGL context
//   res.Init();                       // context current: fixed state, light 1, the quadric
//   res.g_constellations.CopyStars(catalog);   // once, after the catalogue has loaded
//   nv::ApplySkyProjection(state);    // on every resize, zoom or flip
//   nv::RenderScene(state, catalog, res);
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"
#include "planetarium/render/Bodies.h"
#include "planetarium/render/Constellations.h"
#include "planetarium/render/DayLight.h"
#include "planetarium/render/MilkyWay.h"
#include "planetarium/render/StarField.h"
#include "planetarium/render/StarLabels.h"

struct GLUquadric;

namespace nv {

// Everything a frame needs besides the sky state and the catalogue.
struct RenderResources {
    RenderResources();
    ~RenderResources();
    RenderResources(const RenderResources&) = delete;
    RenderResources& operator=(const RenderResources&) = delete;

    // With the context current: texturing, smooth shading, depth test (LEQUAL), perspective hint,
    // line smoothing, blending (SRC_ALPHA, ONE_MINUS_SRC_ALPHA), light 1 with its colours, and the
    // quadric (smooth normals, texture coordinates) unless one was set with SetQuadric.
    void Init();
    // Uses a quadric owned by the caller (for example the view's).
    void SetQuadric(GLUquadric* quadric);
    // Releases the display lists and, if it made it, the quadric (context current).
    void Release();
    // The star table or the star names changed: the star arrays and the name list are rebuilt
    // for the next frame.
    void CatalogChanged();

    GLUquadric* g_quadric = nullptr;
    CConstellations g_constellations;
    // The solar-system calculator the frame updates and reads (the program-wide one by default).
    astro::CSolarSystem* g_solarSystem;
    StarBatch stars;
    StarLabels starLabels;
    QuadricShapes shapes;
    MilkyWayMesh milkyWay;
    // Off: the star layer is drawn one star at a time (the reference path).
    bool batchStars = true;
    // Off: no shortcuts that only save work (the stencil cleared with the depth, the Milky Way's
    // level-0 part drawn with a level-0 sampler and its black facets left out, bodies outside the
    // view left out, labels drawn a run at a time); the picture is the same.
    bool fastPaths = true;
    // Viewport scale of a high-density screen (the client size in g_viewWidth/g_viewHeight is in
    // device-independent pixels).
    double devicePixelRatio = 1.0;

    // The catalogue of the last frame: another one rebuilds the arrays as CatalogChanged does.
    const SkyCatalog* lastCatalog = nullptr;
    // The state's picture loads at the last frame: a new load looks at the Milky Way's picture
    // again. (Reloading slot 1 by hand, call milkyWay.Invalidate().)
    unsigned lastPicturesLoaded = 0;

private:
    bool m_ownsQuadric = false;
};

// Takes the texture names of the fixed picture slots in the current context, so that no texture
// made later (a framebuffer's colour texture, say) is given one of them. Call before anything
// else makes textures. False if one of them was already in use.
bool ReserveTextureSlots();

// Viewport (g_viewWidth x g_viewHeight, a zero height taken as 1) and the sky projection of
// SkyProjection; leaves the model-view matrix current and identity.
void ApplySkyProjection(const SkyState& state, double devicePixelRatio = 1.0);

// Turns the camera so the locked target (a sky direction, or the body named by g_lockName at the
// calculator's current positions) sits at the centre of the view. Nothing for a target of no
// direction or an unknown body name.
void ReaimLockOn(SkyState& state, const astro::CSolarSystem& solar);

// Brings the frame's state up to date: the bodies for the sky clock (when the planets, the
// daylight or a body lock need them), the daylight level and the aim of a locked camera. Returns
// the sky colour the frame clears to.
DayLight UpdateFrameState(SkyState& state, const SkyCatalog& catalog, RenderResources& res);

// Updates the frame's state, then draws one frame. Writes only m_dayNumber, m_texture,
// g_dayLightActive, g_dayLightLevel and, while locked on, m_viewYaw and m_viewPitch. Returns true.
bool RenderScene(SkyState& state, const SkyCatalog& catalog, RenderResources& res);

} // namespace nv
