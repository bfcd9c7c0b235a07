#include "SkyFrames.h"

#include <GL/gl.h>

namespace nv {

astro::ChainInputs ChainOf(const SkyState& s) {
    astro::ChainInputs in;
    in.viewPitch = s.m_viewPitch;
    in.viewYaw = s.m_viewYaw;
    in.latitude = s.g_latitude;
    in.localSiderealRotation = astro::LocalSiderealRotation(s.g_siderealAngle, s.g_longitude);
    return in;
}

namespace {

void ApplySteps(const SkyState& s, int first, int last) {
    const auto steps = astro::SkyRotationSteps(ChainOf(s));
    for (int k = first; k < last; ++k) glRotatef(steps[k].angle, steps[k].x, steps[k].y, steps[k].z);
}

} // namespace

void LoadFrame(const SkyState& s, SkyFrame frame, bool eyeTranslation) {
    glLoadIdentity();
    if (eyeTranslation) glTranslatef(s.m_eyeX, s.m_eyeY, s.m_eyeZ);
    const int steps = frame == SkyFrame::Horizon ? 2 : frame == SkyFrame::Equatorial ? 4 : 8;
    ApplySteps(s, 0, steps);
}

void ApplyHorizonToEquatorial(const SkyState& s) {
    ApplySteps(s, 2, 4);
}

void ApplyEquatorialToEcliptic() {
    const auto steps = astro::SkyRotationSteps(astro::ChainInputs{});
    for (int k = 4; k < 8; ++k) glRotatef(steps[k].angle, steps[k].x, steps[k].y, steps[k].z);
}

void NightColour(const SkyState& s, float r, float g, float b, float night) {
    if (s.g_nightVision)
        glColor3f(night, 0.0f, 0.0f);
    else
        glColor3f(r, g, b);
}

} // namespace nv
