// Drawing one frame with no window (a program's --snapshot): an OpenGL context of the default
// surface format, drawing into a framebuffer object.
//
// With a display the context is Qt's, on an off-screen surface. With no display at all (no X
// server, no Wayland compositor) Qt's "offscreen" platform serves fonts and images but gives no
// OpenGL context; Mesa's EGL does, on its surfaceless platform: a compatibility-profile context
// made current with no surface at all. Both draw into the same kind of framebuffer.
#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <cstdint>
#include <string>

namespace platform {

// True when a window could be shown: DISPLAY or WAYLAND_DISPLAY is set.
bool DisplayAvailable();

// Call first in main(), before the QApplication exists. With no display, a --snapshot gets Qt's
// "offscreen" platform and Mesa's driver starts loading on another thread (the slow part of a
// display-less start); a window cannot open, so false is returned after a message on standard
// error naming `program`. With a display (or QT_QPA_PLATFORM chosen by the caller) nothing changes.
bool PrepareForDisplay(int argc, char** argv, const char* program);

class OffscreenGl {
public:
    OffscreenGl() = default;
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // Creates the context (Qt's with a display, EGL's surfaceless one without) and makes it
    // current; false, with the reason in *why, when that cannot be done.
    bool Create(std::string* why = nullptr);
    // Makes a width x height framebuffer (8-bit RGBA, 24-bit depth, 8-bit stencil) and binds it.
    // It takes no texture names.
    bool BindFramebuffer(int width, int height);
    // Finishes drawing and reads the framebuffer the way a 24-bit BMP stores its pixels: blue,
    // green, red, bottom row first, each row padded to four bytes. `out` holds
    // ((3 * width + 3) & ~3) * height bytes.
    void ReadBgrRows(std::uint8_t* out) const;
    // Gives back the framebuffer and leaves the context not current (the destructor does too).
    void Release();

private:
    void ReleaseFramebuffer();

    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    void* m_eglDisplay = nullptr; // the surfaceless context, when there is no display
    void* m_eglContext = nullptr;
    unsigned m_framebuffer = 0, m_colour = 0, m_depthStencil = 0;
    int m_width = 0, m_height = 0;
};

} // namespace platform
