#include "Bodies.h"

#include "BodyLabels.h"
#include "Pictures.h"
#include "SkyFrames.h"
#include "StarField.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>

namespace nv {

void BodyGlowVertices(float x, float y, float z, float s, float* pos) {
    const float h = s / 2;
    // Outer vertex pairs as (dx, dy, dz) offsets from the centre.
    const float pairs[16][6] = {
        {0, 0, +s, 0, +h, 0}, {0, 0, -s, 0, +h, 0}, {0, 0, +s, 0, -h, 0}, {0, 0, -s, 0, -h, 0},
        {+s, 0, 0, 0, 0, +h}, {-s, 0, 0, 0, 0, +h}, {+s, 0, 0, 0, 0, -h}, {-s, 0, 0, 0, 0, -h},
        {0, 0, +h, 0, +s, 0}, {0, 0, -h, 0, +s, 0}, {0, 0, +h, 0, -s, 0}, {0, 0, -h, 0, -s, 0},
        {+h, 0, 0, 0, 0, +s}, {-h, 0, 0, 0, 0, +s}, {+h, 0, 0, 0, 0, -s}, {-h, 0, 0, 0, 0, -s},
    };
    float* v = pos;
    for (const auto& p : pairs) {
        const float corners[9] = {x, y, z, x + p[0], y + p[1], z + p[2], x + p[3], y + p[4], z + p[5]};
        std::copy(corners, corners + 9, v);
        v += 9;
    }
}

void DrawGlow(float x, float y, float z, float s) {
    float pos[kBodyGlowVertices * 3];
    BodyGlowVertices(x, y, z, s, pos);
    for (int v = 0; v < kBodyGlowVertices; ++v) {
        // White at the centre, black at the outer corners.
        if (v % 3 == 0)
            glColor3f(1.0f, 1.0f, 1.0f);
        else if (v % 3 == 1)
            glColor3f(0.0f, 0.0f, 0.0f);
        glVertex3f(pos[v * 3], pos[v * 3 + 1], pos[v * 3 + 2]);
    }
}

bool BodyGlowSize(unsigned t, float fov, float& size) {
    switch (t) {
    case kSunTexture:
        size = fov * 0.00083333335f;
        return true;
    case kVenusTexture:
        size = fov * 0.00045454546f;
        return true;
    case kJupiterTexture:
        size = fov * 0.0013333333f;
        return true;
    case kSaturnTexture:
        size = fov * 0.00026666667f;
        return true;
    default:
        return false;
    }
}

void DrawBody(SkyState& s, QuadricShapes& shapes, float x, float y, float z, unsigned t, float r,
              bool leaveOutHidden) {
    s.m_texture = t;
    glColor3f(1.0f, 1.0f, 1.0f);
    LoadFrame(s, SkyFrame::Ecliptic, false);

    // A body wholly outside the view sends no vertices; its state changes are kept, so the
    // bodies after it start from the same state. The glow spikes reach |glow| from the body, the
    // sphere (placed with the eye offset) its radius, Saturn's ring its outer edge.
    float glow = 0;
    const bool glows = BodyGlowSize(t, s.g_fov, glow);
    const float reach = std::max(std::fabs(glow), static_cast<float>(r * kSaturnRingOuter) * 1.01f) +
                        std::sqrt(s.m_eyeX * s.m_eyeX + s.m_eyeY * s.m_eyeY + s.m_eyeZ * s.m_eyeZ);
    const bool shown = !leaveOutHidden || !BallOutsideView(x, y, z, reach);

    // Glow.
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBegin(GL_TRIANGLES);
    if (glows && shown) DrawGlow(x, y, z, glow);
    glEnd();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);

    // Sphere: placed at the body, then turned by the whole chain once more (this orients the
    // picture on the sphere).
    glColor3f(1.0f, 1.0f, 1.0f);
    LoadFrame(s, SkyFrame::Ecliptic, false);
    glTranslatef(x + s.m_eyeX, y + s.m_eyeY, z + s.m_eyeZ);
    const auto steps = astro::SkyRotationSteps(ChainOf(s));
    for (const auto& st : steps) glRotatef(st.angle, st.x, st.y, st.z);
    for (const auto& turn : kSphereTurns) glRotatef(turn.angle, turn.x, turn.y, turn.z);
    glEnable(GL_TEXTURE_2D);
    // A body whose picture is missing keeps its glow and label but shows no blank sphere.
    const bool pictured = shown && BindPicture(t);

    if (t == kSaturnTexture) {
        glEnable(GL_DEPTH_TEST);
        glRotatef(kSaturnTilt.angle, kSaturnTilt.x, kSaturnTilt.y, kSaturnTilt.z);
        if (pictured) shapes.Sphere(r, kSphereSlices, kSphereStacks);
        glRotatef(-kSaturnTilt.angle, kSaturnTilt.x, kSaturnTilt.y, kSaturnTilt.z);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glColor3f(0.3f, 0.3f, 0.3f);
        glRotatef(kSaturnRingTurn.angle, kSaturnRingTurn.x, kSaturnRingTurn.y, kSaturnRingTurn.z);
        glDisable(GL_TEXTURE_2D);
        if (shown) shapes.Disk(r * kSaturnRingInner, r * kSaturnRingOuter, kSphereSlices, kRingLoops);
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_DEPTH_TEST);
    } else if (t == kSunTexture) {
        glDisable(GL_DEPTH_TEST);
        if (pictured) shapes.Sphere(r, kSphereSlices, kSphereStacks);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    } else if (pictured) {
        shapes.Sphere(r, kSphereSlices, kSphereStacks);
    }
    glDisable(GL_TEXTURE_2D);
}

namespace {

// A body's direction of date as a star of its magnitude and tint.
StarRecord BodyAsStar(const astro::BodyPosition& b, int body) {
    const astro::Vec3 v = astro::EclipticToEquatorial({b.x, b.y, b.z});
    const double len = astro::Length(v);
    if (!(len > 0.0)) return {};
    return {static_cast<float>(v.x / len), static_cast<float>(v.y / len), static_cast<float>(v.z / len),
            kSkyBodies[body].tint, static_cast<float>(b.magnitude)};
}

} // namespace

BodyStar BodyStarOf(const SkyState& s, const astro::BodyPosition& b, int body, float pixelAngle) {
    BodyStar out{BodyAsStar(b, body), StarMark::Glow, 0.0f};
    const StarRecord& star = out.star;
    if (star.x == 0.0f && star.y == 0.0f && star.z == 0.0f) {
        out.mark = StarMark::None;
        return out;
    }
    out.scale = GlowScale(star.magnitude, s.g_fov);
    if (star.magnitude > kGlowMagnitudeLimit || GlowUnderAPixel(out.scale, pixelAngle))
        out.mark = StarMark::Point;
    return out;
}

bool GlowOutreachesBody(const SkyState& s, const astro::BodyPosition& b, int body) {
    const double distance = astro::Length({b.x, b.y, b.z});
    const float magnitude = static_cast<float>(b.magnitude);
    if (!(distance > 0.0) || magnitude > kGlowMagnitudeLimit) return false; // a point at most
    const double reach = body == astro::kSaturn ? b.size * kSaturnRingOuter : b.size;
    const double discRadius = reach < distance ? std::asin(reach / distance) : 2.0;
    return GlowReach(GlowScale(magnitude, s.g_fov)) > discRadius;
}

void DrawBodiesAsStars(const SkyState& s, const astro::CSolarSystem& solar, bool outreaching,
                       bool leaveOutHidden) {
    LoadFrame(s, SkyFrame::EquatorialOfDate);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    float pos[kGlowVertices * 3], col[kGlowVertices * 3];
    const float pixel = PixelAngle(s.g_fov);
    for (int body = 0; body < astro::kBodyCount; ++body) {
        const astro::BodyPosition& b = solar.Body(body);
        if (GlowOutreachesBody(s, b, body) != outreaching) continue;
        const BodyStar bs = BodyStarOf(s, b, body, pixel);
        const StarRecord& star = bs.star;
        if (bs.mark == StarMark::None) continue;
        const StarRgb c = StarColourAt(star.spectralClass, star.magnitude, s.g_fov, 1.0f);
        glLoadName(kBodyPickBase + static_cast<unsigned>(body));
        if (bs.mark == StarMark::Point) {
            glColor3f(c.r, c.g, c.b);
            glBegin(GL_POINTS);
            glVertex3f(star.x, star.y, star.z);
            glEnd();
            continue;
        }
        if (leaveOutHidden && BallOutsideView(star.x, star.y, star.z, GlowReach(bs.scale) + 1e-3f)) continue;
        GlowVertices(star, c, bs.scale, pos, col);
        glBegin(GL_TRIANGLES);
        for (int k = 0; k < kGlowVertices; ++k) {
            if (k % 3 != 2) glColor3f(col[k * 3], col[k * 3 + 1], col[k * 3 + 2]);
            glVertex3f(pos[k * 3], pos[k * 3 + 1], pos[k * 3 + 2]);
        }
        glEnd();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}

void DrawBodies(SkyState& s, const astro::CSolarSystem& solar, QuadricShapes& shapes, bool leaveOutHidden) {
    using namespace astro;
    // The light stands at the Sun in the ecliptic frame.
    LoadFrame(s, SkyFrame::Ecliptic);
    const BodyPosition& sun = solar.Body(kSun);
    const float light[4] = {static_cast<float>(sun.x), static_cast<float>(sun.y), static_cast<float>(sun.z),
                            1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, light);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);

    auto draw = [&](int body) {
        const BodyPosition& b = solar.Body(body);
        glLoadName(kBodyPickBase + static_cast<unsigned>(body));
        DrawBody(s, shapes, static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z),
                 kSkyBodies[body].texture, static_cast<float>(b.size), leaveOutHidden);
    };
    for (const int body : kBodyDrawOrder) {
        draw(body);
        if (body == kMoon) glDisable(GL_LIGHTING); // only the Moon is shaded
    }
}

void DrawBodiesOverTheirStars(SkyState& s, const astro::CSolarSystem& solar, QuadricShapes& shapes,
                              bool leaveOutHidden) {
    // Each body at least as bright as a star of its magnitude: a glow that reaches beyond the
    // body's disc (its ring for Saturn) is added over it, a smaller one lies under it.
    DrawBodiesAsStars(s, solar, false, leaveOutHidden);
    DrawBodies(s, solar, shapes, leaveOutHidden);
    DrawBodiesAsStars(s, solar, true, leaveOutHidden);
}

void DrawSolarSystem(SkyState& s, const astro::CSolarSystem& solar, QuadricShapes& shapes, bool fastPaths) {
    DrawBodyLabels(s, solar, fastPaths);
    DrawMoonLabels(s, solar, fastPaths);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    DrawBodiesOverTheirStars(s, solar, shapes, fastPaths);
}

} // namespace nv
