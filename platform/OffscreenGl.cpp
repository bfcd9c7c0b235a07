#include "platform/OffscreenGl.h"

#include <GL/gl.h>

namespace platform {

OffscreenGl::~OffscreenGl() {
    Release();
}

bool OffscreenGl::Create() {
    m_surface.setFormat(QSurfaceFormat::defaultFormat());
    m_surface.create();
    m_context.setFormat(QSurfaceFormat::defaultFormat());
    return m_context.create() && m_context.makeCurrent(&m_surface);
}

bool OffscreenGl::BindFramebuffer(int width, int height) {
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    m_fbo = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
    return m_fbo->isValid() && m_fbo->bind();
}

void OffscreenGl::ReadBgrRows(std::uint8_t* out) const {
    if (!m_fbo) return;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_fbo->width(), m_fbo->height(), GL_BGR, GL_UNSIGNED_BYTE, out);
}

void OffscreenGl::Release() {
    if (m_fbo) {
        m_fbo->release();
        m_fbo.reset();
    }
    if (QOpenGLContext::currentContext() == &m_context) m_context.doneCurrent();
}

} // namespace platform
