#include "SkyFrames.h"

#include <GL/gl.h>
#include <cmath>

namespace nv {

void LoadFrame(const SkyState& s, SkyFrame frame, bool eyeTranslation) {
    glLoadIdentity();
    if (eyeTranslation) glTranslatef(s.m_eyeX, s.m_eyeY, s.m_eyeZ);
    astro::ApplySkyRotation(ChainOf(s), frame,
                            [](float a, float x, float y, float z) { glRotatef(a, x, y, z); });
}

astro::Mat4 FrameMatrix(const SkyState& s, SkyFrame frame, bool eyeTranslation) {
    const astro::Mat4 rotation = astro::SkyRotation(ChainOf(s), frame);
    return eyeTranslation ? astro::TranslationMatrix(s.m_eyeX, s.m_eyeY, s.m_eyeZ) * rotation : rotation;
}

ViewVolume CurrentViewVolume() {
    float mv[16], pr[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    // Clip matrix = projection x model-view (column-major); row 3 plus or minus row k of it is a
    // plane of the view volume.
    double m[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double v = 0;
            for (int k = 0; k < 4; ++k) v += double(pr[k * 4 + r]) * mv[c * 4 + k];
            m[c * 4 + r] = v;
        }
    ViewVolume volume{};
    for (int p = 0; p < 6; ++p) {
        const double sign = (p % 2 == 0) ? 1.0 : -1.0;
        double* plane = volume.planes[p];
        double len = 0;
        for (int k = 0; k < 4; ++k) {
            plane[k] = m[k * 4 + 3] + sign * m[k * 4 + p / 2];
            if (k < 3) len += plane[k] * plane[k];
        }
        len = std::sqrt(len);
        if (len > 0)
            for (int k = 0; k < 4; ++k) plane[k] /= len;
    }
    return volume;
}

bool BallOutsideView(float x, float y, float z, float radius) {
    return CurrentViewVolume().BallOutside(x, y, z, 1.01 * radius + 1e-6);
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
