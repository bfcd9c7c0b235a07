#include "orbitviewer/OrbitScene.h"

#include "platform/GlyphFont.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>

namespace tessmoor {

namespace {

void Label(const astro::Vec3& at, std::string_view text) {
    glRasterPos3f(static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z));
    platform::PrintText("%.*s", static_cast<int>(text.size()), text.data());
}

// The position a record is drawn at: its equatorial position turned into the ecliptic frame.
astro::Vec3 DrawnPosition(const WanderocRecord& r) {
    return EclipticFromEquatorial(r.x, r.y, r.z);
}

} // namespace

void InitViewerGl() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D); // each frame turns it off again before drawing
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    platform::BuildFont(kLabelFace, kLabelPixels);
}

void ReleaseViewerGl() {
    platform::DeleteFont();
}

void ResizeViewer(ViewerState& s, int width, int height, double devicePixelRatio) {
    s.g_viewerWidth = width;
    s.g_viewerHeight = height;
    const int h = std::max(1, height);
    glViewport(0, 0, static_cast<int>(std::lround(width * devicePixelRatio)),
               static_cast<int>(std::lround(h * devicePixelRatio)));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, static_cast<double>(width) / h, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

FrameCounts DrawViewerFrame(const ViewerState& s, WanderocTable& table, const ViewerInstant& t) {
    FrameCounts counts;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, s.g_viewerZoom);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRotatef(s.g_viewerPitch, 1.0f, 0.0f, 0.0f);
    glRotatef(s.g_viewerYaw, 0.0f, 1.0f, 0.0f);

    // Labels are queued and drawn together at the end of the frame, pixel for pixel as bitmaps.
    platform::TextBatch batch(true);
    const ViewerPlanets planets = UpdatePlanets(t);
    Label({0.0, 0.0, 0.0}, kSunLabel);
    for (int b = 0; b < kViewerBodyCount; ++b) Label(planets.body[b], kViewerBodyLabels[b]);

    const double jd = ViewerJulianDay(t);
    glBegin(GL_POINTS);
    for (WanderocRecord& r : table) {
        if (!r.HoldsData()) continue;
        PropagateWanderoc(r, jd);
        const astro::Vec3 p = DrawnPosition(r);
        glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
        ++counts.points;
    }
    glEnd();

    if (s.g_showWanderocNames) {
        for (const WanderocRecord& r : table) {
            if (!r.HoldsData()) continue;
            glColor3fv(kNameColour);
            const astro::Vec3 p = DrawnPosition(r);
            glRasterPos3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
            // Plain text: a percent sign in a name is drawn as written.
            platform::PrintText("%s", r.name.c_str());
            ++counts.names;
        }
    }
    return counts;
}

} // namespace tessmoor
