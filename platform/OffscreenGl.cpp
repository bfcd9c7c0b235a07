#include "platform/OffscreenGl.h"

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdlib>
#include <future>

namespace platform {

bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

namespace {

bool Fail(std::string* why, const char* text) {
    if (why != nullptr) *why = text;
    return false;
}

// The surfaceless display, initialised; EGL_NO_DISPLAY when there is none.
EGLDisplay OpenSurfacelessDisplay() {
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return EGL_NO_DISPLAY;
    return display;
}

std::future<EGLDisplay>& PreparedDisplay() {
    static std::future<EGLDisplay> display;
    return display;
}

} // namespace

void PrepareSurfacelessGl() {
    if (!PreparedDisplay().valid())
        PreparedDisplay() = std::async(std::launch::async, OpenSurfacelessDisplay);
}

bool SurfacelessGlContext::Create(std::string* why) {
    EGLDisplay display = PreparedDisplay().valid() ? PreparedDisplay().get() : OpenSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY)
        return Fail(why, "EGL has no surfaceless display (Mesa's libegl-mesa0 is needed)");
    m_display = display;
    if (!eglBindAPI(EGL_OPENGL_API)) return Fail(why, "EGL offers no desktop OpenGL");
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 2,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 1,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT)
        return Fail(why, "EGL cannot create a compatibility-profile OpenGL context");
    m_context = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return Fail(why, "the surfaceless OpenGL context cannot be made current");
    return true;
}

SurfacelessGlContext::~SurfacelessGlContext() {
    if (m_display == nullptr) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != nullptr) eglDestroyContext(m_display, m_context);
    eglTerminate(m_display);
    eglReleaseThread();
}

bool OffscreenFramebuffer::Create(int width, int height) {
    Release();
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width < 1 || height < 1 || width > largest || height > largest) return false;
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glGenRenderbuffers(1, &m_colour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
    glGenRenderbuffers(1, &m_depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Release();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void OffscreenFramebuffer::Release() {
    if (m_framebuffer == 0) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &m_colour);
    glDeleteRenderbuffers(1, &m_depthStencil);
    glDeleteFramebuffers(1, &m_framebuffer);
    m_framebuffer = m_colour = m_depthStencil = 0;
}

OffscreenFramebuffer::~OffscreenFramebuffer() {
    Release();
}

} // namespace platform
