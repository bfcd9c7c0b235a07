// The window's OpenGL set-up: the surface format every view asks for, and a check made before a
// window is built that such a context can be created and made current at all (both programs).
#pragma once

#include <QSurfaceFormat>
#include <functional>

namespace platform {

// Compatibility profile (immediate mode, display lists, glBitmap), double-buffered RGBA with
// alpha, 24-bit depth and 8-bit stencil.
QSurfaceFormat SkySurfaceFormat();

enum class GlProbeResult {
    Ok,
    NoFormat,  // no context of the requested kind could be created
    NoCurrent, // a context was created but could not be made current
};

// Creates a context of the default surface format on an off-screen surface, makes it current and
// releases it again. Needs a QGuiApplication.
GlProbeResult ProbeGlContext();

// Who creates the probe context (tests replace it to simulate a machine without OpenGL).
using GlContextFactory = std::function<GlProbeResult()>;

// Runs the probe and, when it fails, shows the context-failure boxes ("ChoosePixelFormat failed"
// or "SetPixelFormat failed", then "SetPixelformat Failed!", all captioned "Error"). True when a
// context can be made.
bool CheckGlContext(const GlContextFactory& factory);

} // namespace platform
