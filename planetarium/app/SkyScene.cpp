#include "SkyScene.h"

#include "platform/GlyphFont.h"

#include <GL/gl.h>

namespace nv::app {

bool CSkyScene::InitGL() {
    // The pictures live in fixed texture names; nothing else may take them first.
    ReserveTextureSlots();
    // Depth, blending, line smoothing, light 1 (lighting itself stays off) and the quadric.
    m_res.Init();
    platform::BuildFont("tahoma", 12);
    m_state.m_viewYaw = 90.0f;
    m_state.m_viewPitch = -30.0f;
    m_state.m_animating = false;
    m_state.g_savePending = false;
    glMatrixMode(GL_MODELVIEW);
    m_initialised = true;
    return true;
}

void CSkyScene::ResizeScene(int cx, int cy, double devicePixelRatio) {
    m_res.devicePixelRatio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    m_state.g_viewWidth = cx;
    m_state.g_viewHeight = cy;
    ApplySkyProjection(m_state, m_res.devicePixelRatio);
}

bool CSkyScene::RenderScene() {
    return nv::RenderScene(m_state, m_catalog, m_res);
}

void CSkyScene::CatalogueLoaded() {
    m_res.g_constellations.CopyStars(m_catalog);
    m_res.CatalogChanged();
}

void CSkyScene::NamesChanged() {
    m_res.CatalogChanged();
}

void CSkyScene::ReleaseGL() {
    m_res.Release();
    platform::DeleteFont();
    m_initialised = false;
}

} // namespace nv::app
