// A context of the default surface format on an off-screen surface, drawing into a framebuffer
// object: how a program draws one frame without a window (its --snapshot). Needs a
// QGuiApplication and a display (xvfb-run on a machine without one).
#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <cstdint>
#include <memory>

namespace platform {

class OffscreenGl {
public:
    OffscreenGl() = default;
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // Creates the context and makes it current; false when that cannot be done.
    bool Create();
    // Makes a width x height framebuffer with depth and stencil and binds it. Made after any
    // fixed texture names are taken, so that it takes none of them.
    bool BindFramebuffer(int width, int height);
    // Finishes drawing and reads the framebuffer the way a 24-bit BMP stores its pixels: blue,
    // green, red, bottom row first, each row padded to four bytes. `out` holds
    // ((3 * width + 3) & ~3) * height bytes.
    void ReadBgrRows(std::uint8_t* out) const;
    // Gives back the framebuffer and leaves the context not current (the destructor does too).
    void Release();

private:
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
};

} // namespace platform
