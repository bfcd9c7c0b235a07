#include "SkyFrames.h"

#include <GL/gl.h>
#include <cmath>

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

bool BallOutsideView(float x, float y, float z, float radius) {
    float mv[16], pr[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    // Centre in eye space; the model-view is rotations and translations only, so the radius holds.
    double e[4];
    for (int r = 0; r < 4; ++r)
        e[r] = double(mv[r]) * x + double(mv[4 + r]) * y + double(mv[8 + r]) * z + mv[12 + r];
    if (e[3] != 1.0) return false;
    // Each clip plane row(3) +- row(k) of the projection, normalised, against the eye-space ball.
    for (int p = 0; p < 6; ++p) {
        const double sign = (p % 2 == 0) ? 1.0 : -1.0;
        double plane[4], len = 0;
        for (int k = 0; k < 4; ++k) {
            plane[k] = double(pr[k * 4 + 3]) + sign * double(pr[k * 4 + p / 2]);
            if (k < 3) len += plane[k] * plane[k];
        }
        len = std::sqrt(len);
        if (!(len > 0)) continue;
        const double d = (plane[0] * e[0] + plane[1] * e[1] + plane[2] * e[2] + plane[3]) / len;
        if (d < -1.01 * radius - 1e-6) return true;
    }
    return false;
}

bool RasterPositionValid() {
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return valid == GL_TRUE;
}

void NightColour(const SkyState& s, float r, float g, float b, float night) {
    if (s.g_nightVision)
        glColor3f(night, 0.0f, 0.0f);
    else
        glColor3f(r, g, b);
}

} // namespace nv
