// Drawing with no window: an OpenGL context that needs no display at all, and a framebuffer to
// draw a picture into and read it back from.
//
// With no display (no X server, no Wayland compositor), Qt's "offscreen" platform serves fonts
// and images but gives no OpenGL context; Mesa's EGL on its surfaceless platform does: a
// compatibility-profile context (immediate mode, display lists, glBitmap) made current with no
// surface, which draws into a framebuffer object.
#pragma once

#include <string>

namespace platform {

// True when a window could be shown: DISPLAY or WAYLAND_DISPLAY is set.
bool DisplayAvailable();

// Starts opening EGL's surfaceless platform on another thread: loading Mesa's driver is the
// slow part of a display-less start, and it needs nothing else of the program. Create waits for
// it (or does it itself when nobody started it).
void PrepareSurfacelessGl();

// A compatibility-profile context from EGL's surfaceless platform, current on the creating
// thread from a successful Create until it is destroyed.
class SurfacelessGlContext {
public:
    SurfacelessGlContext() = default;
    ~SurfacelessGlContext();
    SurfacelessGlContext(const SurfacelessGlContext&) = delete;
    SurfacelessGlContext& operator=(const SurfacelessGlContext&) = delete;

    // Creates the context and makes it current. False with the reason in *why.
    bool Create(std::string* why);

private:
    void* m_display = nullptr;
    void* m_context = nullptr;
};

// A framebuffer object of the given size with an 8-bit RGBA colour buffer and a combined 24-bit
// depth, 8-bit stencil buffer, for any current context (a window's, Qt's off-screen one, or the
// surfaceless one). Takes no texture names.
class OffscreenFramebuffer {
public:
    OffscreenFramebuffer() = default;
    ~OffscreenFramebuffer();
    OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
    OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;

    // Creates and binds it. False when the context cannot make one of that size.
    bool Create(int width, int height);
    // Unbinds and deletes it (also done by the destructor; the context must still be current).
    void Release();

private:
    unsigned m_framebuffer = 0;
    unsigned m_colour = 0;
    unsigned m_depthStencil = 0;
};

} // namespace platform
