// An off-screen compatibility-profile OpenGL context with a framebuffer object, for drawing
// tests. Needs a QGuiApplication (or QApplication) and a display (tests run under Xvfb).
#pragma once

#include <GL/gl.h>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <functional>
#include <memory>

namespace nvtest {

class GlTestContext {
public:
    // `beforeFramebuffer` runs with the context current before the framebuffer object is made (to
    // take fixed texture names first); false leaves the context not ok().
    GlTestContext(int width, int height, const std::function<bool()>& beforeFramebuffer = {})
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
        m_fbo = std::make_unique<QOpenGLFramebufferObject>(width, height,
                                                           QOpenGLFramebufferObject::CombinedDepthStencil);
        m_ok = m_fbo->isValid() && m_fbo->bind();
        if (m_ok) glViewport(0, 0, width, height);
    }
    ~GlTestContext() {
        if (m_context.isValid()) m_context.makeCurrent(&m_surface);
        m_fbo.reset();
        m_context.doneCurrent();
    }
    bool ok() const { return m_ok; }
    void makeCurrent() {
        m_context.makeCurrent(&m_surface);
        if (m_fbo) m_fbo->bind();
    }
    // Reads the framebuffer (after glFinish) as a 32-bit image, top row first.
    QImage grab() {
        glFinish();
        return m_fbo ? m_fbo->toImage(true) : QImage();
    }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width, m_height;
    bool m_ok = false;
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
};

} // namespace nvtest
