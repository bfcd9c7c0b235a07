// The OpenGL side of the sky view, shared by the window and the off-screen snapshot so both draw
// through the same calls: one-time state, the projection for a client size, one frame, release.
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/render/RenderScene.h"

namespace nv::app {

class CSkyScene {
public:
    CSkyScene(SkyState& state, SkyCatalog& catalog) : m_state(state), m_catalog(catalog) {}
    ~CSkyScene() = default;
    CSkyScene(const CSkyScene&) = delete;
    CSkyScene& operator=(const CSkyScene&) = delete;

    // One-time state of a fresh context: the fixed texture slots kept free, depth, blending,
    // smoothing, light 1, the quadric, the label font ("tahoma", 12 pixels) and the camera reset.
    // Needs the context current.
    bool InitGL();
    // Viewport and projection for a client of cx by cy pixels (a zero height is taken as 1);
    // `devicePixelRatio` scales the viewport on high-density screens.
    void ResizeScene(int cx, int cy, double devicePixelRatio = 1.0);
    // Draws one complete frame into the current draw buffer (the caller swaps).
    bool RenderScene();
    // The star table was filled: the constellation figures take their copy of it.
    void CatalogueLoaded();
    // The star names changed.
    void NamesChanged();
    // Releases the font lists and the frame's GL objects (context current).
    void ReleaseGL();

    bool initialised() const { return m_initialised; }
    RenderResources& resources() { return m_res; }

private:
    SkyState& m_state;
    SkyCatalog& m_catalog;
    RenderResources m_res;
    bool m_initialised = false;
};

} // namespace nv::app
