#include "planetarium/tools/Navigation.h"

#include "astro/SkyRotation.h"
#include "planetarium/CommandIds.h"
#include "planetarium/SkyChain.h"

#include <cmath>

namespace nv::tools {

namespace {
constexpr float kInv360f = 0.0027777778f;     // single-precision 1/360
constexpr float kPerFovDegree = 0.015384615f; // 1 / the widest field: turns scale with the field
constexpr float kRadToDegf = 57.29578f;       // radians to degrees, single precision

} // namespace

float ZoomInFov(float fov) {
    if (fov > 2.0f) fov -= 2.0f;
    if (fov < -2.0f) fov += 2.0f;
    return fov;
}

float ZoomOutFov(float fov) {
    if (fov > -kWidestFov && fov < 0.0f) fov -= 2.0f;
    if (fov > 0.0f && fov < kWidestFov) fov += 2.0f;
    return fov;
}

int ZoomIndicatorValue(float fov) {
    if (!std::isfinite(fov)) return kZoomIndicatorMin;
    const double widest = kWidestFov;
    const double t = std::trunc(std::fmax(-widest, std::fmin(widest, static_cast<double>(fov))));
    return fov > 0.0f ? kZoomIndicatorMax - static_cast<int>(t) : static_cast<int>(t) + kZoomIndicatorMax;
}

void StartGlideTargets(SkyState& s, float targetPitch, float targetYaw) {
    s.g_glideTargetPitch = targetPitch;
    s.g_glideTargetYaw = targetYaw;
    s.g_gliding = true;
}

bool GlideAxisStep(float& angle, float target) {
    double d = static_cast<double>(angle) - static_cast<double>(target);
    d = d - std::floor(d * kInv360f) * 360.0;
    if (d > 180.0)
        angle += 4.0f;
    else
        angle -= 4.0f;
    if (d < 5.0 || d > 355.0) {
        angle = target;
        return true;
    }
    return false;
}

bool StepGlideAngles(SkyState& s) {
    const bool yawSnapped = GlideAxisStep(s.m_viewYaw, s.g_glideTargetYaw);
    const bool pitchSnapped = GlideAxisStep(s.m_viewPitch, s.g_glideTargetPitch);
    if (s.m_viewYaw == s.g_glideTargetYaw && s.m_viewPitch == s.g_glideTargetPitch) s.g_gliding = false;
    return yawSnapped && pitchSnapped;
}

void BeginDrag(SkyState& s, int x, int y) {
    s.m_dragStartX = x;
    s.m_dragStartY = y;
    s.m_mouseDown = true;
    s.g_lockOn = false;
    s.g_lockIsBody = false;
}

void DragStep(SkyState& s, int x, int y) {
    if (!s.m_mouseDown) return;
    float dx = static_cast<float>(s.m_dragStartX - x);
    float dy = static_cast<float>(s.m_dragStartY - y);
    // A pointer that turns back re-anchors that axis, so the turn restarts from zero.
    if ((x > s.m_dragStartX && x < s.m_dragLastX) || (x < s.m_dragStartX && x > s.m_dragLastX)) {
        s.m_dragStartX = x;
        dx = 0.0f;
    }
    if ((y > s.m_dragStartY && y < s.m_dragLastY) || (y < s.m_dragStartY && y > s.m_dragLastY)) {
        s.m_dragStartY = y;
        dy = 0.0f;
    }
    s.m_dragLastX = x;
    s.m_dragLastY = y;
    // The sky follows the hand on both axes: a drag to the right turns the view left (the yaw
    // grows), a drag up tilts it down (the pitch grows). A flipped picture (negative field: turned
    // over; horizontal flip: mirrored) turns the other way on its flipped axes.
    const float scale = s.g_fov * kPerFovDegree;
    const float mirror = s.g_flipHorizontal ? -1.0f : 1.0f;
    // A view that has not been sized yet counts as one pixel, never as a division by zero.
    const float width = static_cast<float>(s.g_viewWidth > 0 ? s.g_viewWidth : 1);
    const float height = static_cast<float>(s.g_viewHeight > 0 ? s.g_viewHeight : 1);
    s.m_viewYaw -= std::atan(dx / width) * kRadToDegf * scale * mirror;
    s.m_viewPitch += std::atan(dy / height) * kRadToDegf * scale;
}

void EndDrag(SkyState& s) {
    s.m_mouseDown = false;
}

GlideTarget ArrowKeyTarget(const SkyState& s, ArrowKey key) {
    const float step = s.g_fov * kPerFovDegree * 10.0f;
    switch (key) {
    case ArrowKey::Up:
        return {s.m_viewPitch - step, s.m_viewYaw};
    case ArrowKey::Down:
        return {s.m_viewPitch + step, s.m_viewYaw};
    case ArrowKey::Left:
        return {s.m_viewPitch, s.m_viewYaw + step};
    case ArrowKey::Right:
        return {s.m_viewPitch, s.m_viewYaw - step};
    }
    return {s.m_viewPitch, s.m_viewYaw};
}

bool IsCompassButton(int id) {
    return id >= IDC_FACE_NORTH && id <= IDC_FACE_WEST;
}

GlideTarget NavButtonTarget(const SkyState& s, int id) {
    // The compass buttons face their point 30 degrees up: the home view turned about the zenith.
    switch (id) {
    case IDC_FACE_NORTH:
        return {kHomePitch, kHomeYaw};
    case IDC_FACE_SOUTH:
        return {kHomePitch, kHomeYaw + 180.0f};
    case IDC_FACE_EAST:
        return {kHomePitch, kHomeYaw - 90.0f};
    case IDC_FACE_WEST:
        return {kHomePitch, kHomeYaw + 90.0f};
    case IDC_TILT_UP:
        return {s.m_viewPitch - 10.0f, s.m_viewYaw};
    case IDC_TILT_DOWN:
        return {s.m_viewPitch + 10.0f, s.m_viewYaw};
    case IDC_TURN_LEFT:
        return {s.m_viewPitch, s.m_viewYaw + 10.0f};
    case IDC_TURN_RIGHT:
        return {s.m_viewPitch, s.m_viewYaw - 10.0f};
    default:
        return {s.m_viewPitch, s.m_viewYaw};
    }
}

float LocalSiderealRotation(const SkyState& s) {
    return ChainOf(s).localSiderealRotation;
}

SkyVector ViewCentreEquatorial(const SkyState& s) {
    return astro::ViewCentreDirection(ChainOf(s));
}

GlideTarget AimAtEquatorial(const SkyState& s, SkyVector v) {
    if (!(astro::Length(v) > 0.0)) return {s.m_viewPitch, s.m_viewYaw};
    GlideTarget t{s.m_viewPitch, s.m_viewYaw};
    astro::CameraAnglesForTarget(v, ChainOf(s), t.pitch, t.yaw);
    return t;
}

GlideTarget GotoAltAziTarget(double altitude, double azimuth) {
    const double alt = altitude * g_degToRad;
    const double a = (360.0 - azimuth + 90.0) * g_degToRad;
    const double yaw =
        std::atan2(std::cos(a) * std::cos(alt), -std::sin(a) * std::cos(alt)) * g_radToDeg - 90.0;
    const double pitch = std::asin(-std::sin(alt)) * g_radToDeg;
    return {static_cast<float>(pitch), static_cast<float>(yaw)};
}

GlideTarget GotoRaDecTarget(const SkyState& s, double raHours, double decDegrees) {
    // The readout shows hours as degrees x 0.06666667; divide by the same factor so that the
    // readout's own values lead back to the same point.
    const double raDeg = raHours / static_cast<double>(0.06666667f);
    return AimAtEquatorial(s, astro::EquatorialVector(raDeg, decDegrees));
}

void CenterOnNorth(SkyState& s) {
    s.m_viewYaw = kHomeYaw;
    s.m_viewPitch = kHomePitch;
}

void LockOnViewCentre(SkyState& s) {
    const SkyVector v = ViewCentreEquatorial(s);
    s.g_lockX = static_cast<float>(v.x);
    s.g_lockY = static_cast<float>(v.y);
    s.g_lockZ = static_cast<float>(v.z);
    s.g_lockOn = true;
}

void FlipHorizontal(SkyState& s) {
    s.g_flipHorizontal = !s.g_flipHorizontal;
}

void FlipVertical(SkyState& s) {
    s.g_fov = -s.g_fov;
}

} // namespace nv::tools
