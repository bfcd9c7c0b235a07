#include "SelectionPick.h"

#include "planetarium/render/Bodies.h"
#include "planetarium/render/Messiers.h"
#include "planetarium/render/Projection.h"
#include "planetarium/render/StarField.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace nvtest {

std::vector<int> SelectionHits(nv::SkyState& s, const nv::SkyCatalog& catalog,
                               const astro::CSolarSystem& solar, nv::QuadricShapes& shapes, double x,
                               double y, double w, double h) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    static std::vector<GLuint> buffer(1 << 21); // room for every hit: no overflow hides one
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, w, h, viewport);
    const nv::ProjectionParams p =
        nv::SkyProjection(s.g_fov, s.g_flipHorizontal, s.g_viewWidth, s.g_viewHeight);
    gluPerspective(p.fovy, p.aspect, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);

    nv::DrawBodiesOverTheirStars(s, solar, shapes, false);
    nv::DrawStarsImmediate(s, catalog);
    nv::DrawMessiers(s, catalog, false);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint records = glRenderMode(GL_RENDER);
    glDisable(GL_LIGHTING);

    // Each record: the count of names, the nearest and farthest depth, then the names.
    std::vector<int> names;
    size_t at = 0;
    for (GLint r = 0; r < records; ++r) {
        const GLuint count = buffer[at];
        if (count > 0) names.push_back(static_cast<int>(buffer[at + 3]));
        at += 3 + count;
    }
    return names;
}

int SelectionPick(nv::SkyState& s, const nv::SkyCatalog& catalog, const astro::CSolarSystem& solar,
                  nv::QuadricShapes& shapes, int x, int y) {
    const std::vector<int> hits = SelectionHits(s, catalog, solar, shapes, x, y, 5.0, 5.0);
    return hits.empty() ? nv::kPickNone : hits.front();
}

std::unique_ptr<nv::SkyCatalog> KeepOnlyStars(const nv::SkyCatalog& catalog, const std::vector<int>& names) {
    auto kept = std::make_unique<nv::SkyCatalog>();
    kept->m_messierCentre = catalog.m_messierCentre;
    kept->m_messierCorners = catalog.m_messierCorners;
    for (int name : names)
        if (name >= 0 && name < nv::kStarSlots) kept->m_stars[name] = catalog.m_stars[name];
    return kept;
}

} // namespace nvtest
