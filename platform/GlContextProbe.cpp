#include "GlContextProbe.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

namespace platform {

QSurfaceFormat SkySurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

GlProbeResult ProbeGlContext() {
    QOffscreenSurface surface;
    surface.setFormat(QSurfaceFormat::defaultFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create()) return GlProbeResult::NoFormat;
    // A core-profile context cannot draw the label font or any immediate-mode geometry.
    if (context.isOpenGLES() || context.format().profile() == QSurfaceFormat::CoreProfile) {
        return GlProbeResult::NoFormat;
    }
    if (!surface.isValid() || !context.makeCurrent(&surface)) return GlProbeResult::NoCurrent;
    context.doneCurrent();
    return GlProbeResult::Ok;
}

bool CheckGlContext(const GlContextFactory& factory) {
    const GlProbeResult result = factory ? factory() : GlProbeResult::NoFormat;
    if (result == GlProbeResult::Ok) return true;
    const QString caption = QStringLiteral("Error");
    ShowMessageBox(nullptr,
                   result == GlProbeResult::NoFormat ? QStringLiteral("ChoosePixelFormat failed")
                                                     : QStringLiteral("SetPixelFormat failed"),
                   caption);
    ShowMessageBox(QApplication::focusWidget(), QStringLiteral("SetPixelformat Failed!"), caption);
    return false;
}

} // namespace platform
