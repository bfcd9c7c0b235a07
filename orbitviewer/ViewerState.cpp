#include "orbitviewer/ViewerState.h"

#include <algorithm>
#include <cmath>

namespace tessmoor {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The anchor moves to the pointer when the pointer lies strictly between the anchor and the last
// position: the pointer turned back.
bool Reversed(int anchor, int pointer, int last) {
    return (anchor < pointer && pointer < last) || (last < pointer && pointer < anchor);
}

} // namespace

void BeginDrag(ViewerState& s, int x, int y) {
    s.g_dragging = true;
    s.m_anchorX = s.m_lastX = x;
    s.m_anchorY = s.m_lastY = y;
}

void EndDrag(ViewerState& s) {
    s.g_dragging = false;
}

bool DragRotate(ViewerState& s, int x, int y) {
    if (!s.g_dragging) return false;
    float dx = static_cast<float>(s.m_anchorX - x);
    float dy = static_cast<float>(s.m_anchorY - y);
    if (Reversed(s.m_anchorX, x, s.m_lastX)) {
        s.m_anchorX = x;
        dx = 0.0f;
    }
    if (Reversed(s.m_anchorY, y, s.m_lastY)) {
        s.m_anchorY = y;
        dy = 0.0f;
    }
    s.m_lastX = x;
    s.m_lastY = y;
    // Before the first resize the size is 0: a 1-pixel client keeps the turn finite.
    const float width = static_cast<float>(std::max(1, s.g_viewerWidth));
    const float height = static_cast<float>(std::max(1, s.g_viewerHeight));
    s.g_viewerYaw += static_cast<float>(0.2 * std::atan(dx / width) * kDegreesPerRadian);
    s.g_viewerPitch -= static_cast<float>(0.2 * std::atan(dy / height) * kDegreesPerRadian);
    return true;
}

void WheelZoom(ViewerState& s, int delta) {
    s.g_viewerZoom += delta < 1 ? -0.2f : 0.2f;
}

} // namespace tessmoor
