// The framebuffer functions are called directly (libGL exports them for every context).
#define GL_GLEXT_PROTOTYPES 1
#include "platform/OffscreenGl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The surfaceless display, initialised (this loads Mesa's driver); EGL_NO_DISPLAY when there is
// none.
EGLDisplay OpenSurfacelessDisplay() {
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return EGL_NO_DISPLAY;
    return display;
}

// The display opened ahead by PrepareForDisplay, if it was.
std::future<EGLDisplay>& PreparedDisplay() {
    static std::future<EGLDisplay> display;
    return display;
}

} // namespace

bool PrepareForDisplay(int argc, char** argv, const char* program) {
    if (DisplayAvailable() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    bool snapshot = false;
    for (int i = 1; i < argc; ++i) snapshot = snapshot || std::strcmp(argv[i], "--snapshot") == 0;
    if (!snapshot) {
        std::fprintf(stderr,
                     "%s: no display to open the window on (DISPLAY is not set). %s --snapshot FILE.bmp "
                     "draws a picture instead.\n",
                     program, program);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparedDisplay() = std::async(std::launch::async, OpenSurfacelessDisplay);
    return true;
}

OffscreenGl::~OffscreenGl() {
    Release();
    if (m_eglDisplay != nullptr) {
        if (m_eglContext != nullptr) eglDestroyContext(m_eglDisplay, m_eglContext);
        eglTerminate(m_eglDisplay);
        eglReleaseThread();
    }
}

bool OffscreenGl::Create(std::string* why) {
    if (DisplayAvailable()) {
        m_surface.setFormat(QSurfaceFormat::defaultFormat());
        m_surface.create();
        m_context.setFormat(QSurfaceFormat::defaultFormat());
        if (m_context.create() && m_context.makeCurrent(&m_surface)) return true;
        return Fail(why, "no OpenGL context of the compatibility profile on this display");
    }
    // No display: Mesa's surfaceless EGL context.
    EGLDisplay display = PreparedDisplay().valid() ? PreparedDisplay().get() : OpenSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY)
        return Fail(why, "EGL has no surfaceless display (Mesa's libegl-mesa0 is needed)");
    m_eglDisplay = display;
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
    m_eglContext = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return Fail(why, "the surfaceless OpenGL context cannot be made current");
    return true;
}

bool OffscreenGl::BindFramebuffer(int width, int height) {
    ReleaseFramebuffer();
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
        ReleaseFramebuffer();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    m_width = width;
    m_height = height;
    return true;
}

void OffscreenGl::ReadBgrRows(std::uint8_t* out) const {
    if (m_framebuffer == 0) return;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_width, m_height, GL_BGR, GL_UNSIGNED_BYTE, out);
}

void OffscreenGl::ReleaseFramebuffer() {
    if (m_framebuffer == 0) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &m_colour);
    glDeleteRenderbuffers(1, &m_depthStencil);
    glDeleteFramebuffers(1, &m_framebuffer);
    m_framebuffer = m_colour = m_depthStencil = 0;
}

void OffscreenGl::Release() {
    ReleaseFramebuffer();
    if (QOpenGLContext::currentContext() == &m_context) m_context.doneCurrent();
    if (m_eglDisplay != nullptr) eglMakeCurrent(m_eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

} // namespace platform
