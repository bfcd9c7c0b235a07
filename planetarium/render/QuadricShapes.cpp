#include "QuadricShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

namespace nv {

namespace {

constexpr double kPi = 3.14159265358979323846;

// sin and cos of the slice angles 2 pi i / slices, i = 0 .. slices (the last is the first again).
void SliceAngles(int slices, std::vector<double>& sinT, std::vector<double>& cosT) {
    sinT.resize(slices + 1);
    cosT.resize(slices + 1);
    for (int i = 0; i < slices; ++i) {
        const double t = 2.0 * kPi * i / slices;
        sinT[i] = std::sin(t);
        cosT[i] = std::cos(t);
    }
    sinT[slices] = sinT[0];
    cosT[slices] = cosT[0];
}

} // namespace

std::vector<QuadricFacet> SphereFacets(double radius, int slices, int stacks) {
    std::vector<QuadricFacet> facets;
    if (slices < 2 || stacks < 1) return facets;
    std::vector<double> sinT, cosT;
    SliceAngles(slices, sinT, cosT);
    std::vector<double> ring(stacks + 1), height(stacks + 1);
    for (int j = 0; j <= stacks; ++j) {
        const double p = kPi * j / stacks;
        ring[j] = radius * std::sin(p);
        height[j] = radius * std::cos(p);
    }
    ring[0] = ring[stacks] = 0.0; // the poles are points
    facets.reserve(static_cast<size_t>(slices) * stacks);
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i) {
            auto at = [&](int jj, int ii) {
                return astro::Vec3{ring[jj] * sinT[ii], ring[jj] * cosT[ii], height[jj]};
            };
            facets.push_back({at(j + 1, i), at(j, i), at(j, i + 1), at(j + 1, i + 1)});
        }
    return facets;
}

std::vector<QuadricFacet> DiskFacets(double inner, double outer, int slices) {
    std::vector<QuadricFacet> facets;
    if (slices < 2) return facets;
    std::vector<double> sinT, cosT;
    SliceAngles(slices, sinT, cosT);
    for (int i = 0; i < slices; ++i)
        facets.push_back({astro::Vec3{outer * sinT[i], outer * cosT[i], 0.0},
                          astro::Vec3{inner * sinT[i], inner * cosT[i], 0.0},
                          astro::Vec3{inner * sinT[i + 1], inner * cosT[i + 1], 0.0},
                          astro::Vec3{outer * sinT[i + 1], outer * cosT[i + 1], 0.0}});
    return facets;
}

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
