// Drawing of the orbit viewer: the fixed OpenGL state and label font set once per context, the
// projection for a client size, and one frame: the Sun, the Earth and the planets as white
// labels, every asteroid as a white point and, when names are on, its name in blue. Asteroids are
// carried from the equatorial into the ecliptic frame so that they share the planets' frame.
// Needs a current compatibility-profile context.
#pragma once

#include "orbitviewer/Orbits.h"
#include "orbitviewer/ViewerState.h"
#include "orbitviewer/Wanderocs.h"

namespace tessmoor {

// The label font: an 11-pixel sans face.
inline constexpr const char* kLabelFace = "Arial";
inline constexpr int kLabelPixels = 11;
// The asteroid names' colour.
inline constexpr float kNameColour[3] = {0.2f, 0.2f, 0.8f};
// The projection: vertical field, near and far planes.
inline constexpr double kFieldOfView = 65.0;
inline constexpr double kNearPlane = 0.1f; // held as 0.10000000149011612
inline constexpr double kFarPlane = 10000.0;

// Fixed state (clear colour and depth, depth function, shading, blending with source one and
// destination source alpha) and the label font's 96 glyph lists.
void InitViewerGl();
// Gives back the font's lists.
void ReleaseViewerGl();

// Stores the client size (logical pixels, for the drag) and sets the viewport (device pixels,
// a height of 0 taken as 1) and the perspective projection; the model-view becomes identity.
void ResizeViewer(ViewerState& s, int width, int height, double devicePixelRatio = 1.0);

// What one frame drew.
struct FrameCounts {
    int points = 0; // asteroids
    int names = 0;  // asteroid names drawn (when names are on)
};

// One frame for the instant t: recomputes the planets and every asteroid of the table.
FrameCounts DrawViewerFrame(const ViewerState& s, WanderocTable& table, const ViewerInstant& t);

} // namespace tessmoor
