#include "QuadricShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace nv {

unsigned QuadricShapes::ListFor(int kind, double a, double b, int c, int d) {
    for (const Entry& e : m_lists)
        if (e.kind == kind && e.a == a && e.b == b && e.c == c && e.d == d) return e.list;
    const unsigned list = glGenLists(1);
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    if (kind == 0)
        gluSphere(m_quadric, a, c, d);
    else
        gluDisk(m_quadric, a, b, c, d);
    glEndList();
    m_lists.push_back({kind, a, b, c, d, list});
    return list;
}

void QuadricShapes::Sphere(double radius, int slices, int stacks) {
    if (m_quadric == nullptr) return;
    if (const unsigned list = ListFor(0, radius, 0.0, slices, stacks))
        glCallList(list);
    else
        gluSphere(m_quadric, radius, slices, stacks);
}

void QuadricShapes::Disk(double inner, double outer, int slices, int loops) {
    if (m_quadric == nullptr) return;
    if (const unsigned list = ListFor(1, inner, outer, slices, loops))
        glCallList(list);
    else
        gluDisk(m_quadric, inner, outer, slices, loops);
}

void QuadricShapes::Release() {
    for (const Entry& e : m_lists) glDeleteLists(e.list, 1);
    m_lists.clear();
}

} // namespace nv
