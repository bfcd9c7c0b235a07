#include "GlTestContext.h"

#include <GL/gl.h>
#include <QSurfaceFormat>

namespace nvtest {

GlTestContext::GlTestContext(int width, int height, const std::function<bool()>& beforeFramebuffer)
    : m_width(width), m_height(height) {
    QSurfaceFormat fmt;
    fmt.setRenderableType(QSurfaceFormat::OpenGL);
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    fmt.setVersion(2, 1);
    fmt.setDepthBufferSize(24);
    m_surface.setFormat(fmt);
    m_surface.create();
    m_context.setFormat(fmt);
    if (!m_context.create() || !m_context.makeCurrent(&m_surface)) return;
    if (beforeFramebuffer && !beforeFramebuffer()) return;
    QOpenGLFramebufferObjectFormat ff;
    ff.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    m_fbo = std::make_unique<QOpenGLFramebufferObject>(width, height, ff);
    m_ok = m_fbo->isValid() && m_fbo->bind();
    if (m_ok) glViewport(0, 0, width, height);
}

GlTestContext::~GlTestContext() {
    if (m_context.isValid()) m_context.makeCurrent(&m_surface);
    m_fbo.reset();
    m_context.doneCurrent();
}

void GlTestContext::makeCurrent() {
    m_context.makeCurrent(&m_surface);
    if (m_fbo) m_fbo->bind();
}

QImage GlTestContext::grab() {
    glFinish();
    return m_fbo ? m_fbo->toImage(true) : QImage(); // top row first
}

} // namespace nvtest
