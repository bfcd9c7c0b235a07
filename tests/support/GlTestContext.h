// An off-screen compatibility-profile OpenGL context with a framebuffer object, for drawing
// tests. Needs a QGuiApplication (or QApplication) and a display (tests run under Xvfb).
#pragma once

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <functional>
#include <memory>

namespace nvtest {

class GlTestContext {
public:
    // `beforeFramebuffer` runs with the context current before the framebuffer object is made
    // (e.g. to take fixed texture names first); returning false leaves the context not ok().
    GlTestContext(int width, int height, const std::function<bool()>& beforeFramebuffer = {});
    ~GlTestContext();
    bool ok() const { return m_ok; }
    void makeCurrent();
    // Reads the framebuffer (after glFinish) as a 32-bit image, top row first.
    QImage grab();
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
