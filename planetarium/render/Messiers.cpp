#include "Messiers.h"

#include "DayLight.h"
#include "Pictures.h"
#include "SkyFrames.h"

#include <GL/gl.h>

namespace nv {

void DrawMessiers(const SkyState& state, const SkyCatalog& catalog, bool skipInvisible) {
    const float g = MessierGrey(state.g_fov) * DayLightPictureFade(state);
    if (skipInvisible && g <= 0.0f) return;
    glColor3f(g, g, g);
    LoadFrame(state, SkyFrame::Equatorial);
    // Corners 0..3 run (ra1, dec1), (ra1, dec2), (ra2, dec2), (ra2, dec1); the picture's left edge
    // (s = 0) lies on the east side (ra2) and its bottom row (t = 0) on the south side (dec1).
    static const float kTexCoords[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
    for (int k = 1; k <= kMessierDrawn; ++k) {
        // A picture that is missing would be a grey rectangle: left out.
        if (!BindPicture(kMessierTextureBase + k)) continue;
        glLoadName(kMessierPickBase + k);
        glBegin(GL_QUADS);
        for (int c = 0; c < 4; ++c) {
            const Vec3f& v = catalog.m_messierCorners[k - 1][c];
            glTexCoord2f(kTexCoords[c][0], kTexCoords[c][1]);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
}

void DrawMessierLayer(const SkyState& s, const SkyCatalog& catalog) {
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    DrawMessiers(s, catalog);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}

void DrawMessierNames(const SkyState& s, const SkyCatalog& catalog, bool batchLabels) {
    LoadFrame(s, SkyFrame::Equatorial);
    NightColour(s, 1.0f, 1.0f, 1.0f, 1.0f);
    const platform::TextBatch labels(batchLabels);
    for (int k = 1; k <= kMessierDrawn; ++k) {
        const Vec3f& v = catalog.m_messierCentre[k - 1];
        glRasterPos3f(v.x, v.y, v.z);
        PrintLabel(" M%d", k);
    }
}

} // namespace nv
