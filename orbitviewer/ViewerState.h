// The orbit viewer's program-wide state: camera, name labels, animation step, client size and
// the mouse drag. Everything starts from fixed values; nothing is saved. Pure C++.
#pragma once

#include "astro/AnimationStep.h"

namespace tessmoor {

// The view's one timer: the animation ticks every 50 ms.
inline constexpr unsigned kViewerTimerId = 1;
inline constexpr int kViewerTimerPeriodMs = 50;

struct ViewerState {
    float g_viewerZoom = -5.0f;   // translation along the eye's z axis, AU
    float g_viewerPitch = 100.0f; // rotation about x, degrees
    float g_viewerYaw = -30.0f;   // rotation about y, degrees
    bool g_showWanderocNames = true;
    int g_animUnit = astro::kUnitDays;         // 1 minutes, 2 hours, 3 days, 4 years
    int g_animCount = 1;                       // units per tick, -10 to 10 without 0
    int g_viewerWidth = 0, g_viewerHeight = 0; // client size from the last resize
    bool g_dragging = false;
    int m_anchorX = 0, m_anchorY = 0; // where the drag's turn is measured from
    int m_lastX = 0, m_lastY = 0;     // the pointer at the last move
};

// Left button down and up: the drag starts at the pointer (which is also the last position, so
// that the first move is measured from there) and ends.
void BeginDrag(ViewerState& s, int x, int y);
void EndDrag(ViewerState& s);

// A pointer move while dragging turns the view. The turn grows with the distance from the anchor:
// yaw += 0.2 x degrees(atan(dx / width)), pitch -= 0.2 x degrees(atan(dy / height)) with
// dx = anchorX - x, dy = anchorY - y. Moving back toward the anchor (the pointer between the
// anchor and the last position) moves the anchor to the pointer and gives no turn on that axis.
// Returns false (and changes nothing) when no drag is running.
bool DragRotate(ViewerState& s, int x, int y);

// The mouse wheel: a delta below 1 moves the eye 0.2 AU away, any other 0.2 AU closer. The zoom
// has no limits; at 0 the eye sits at the Sun.
void WheelZoom(ViewerState& s, int delta);

} // namespace tessmoor
