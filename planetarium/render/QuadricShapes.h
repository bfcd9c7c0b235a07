// The spheres and discs of the one GLU quadric, each shape compiled once into a display list.
#pragma once

#include "astro/AstroMath.h"

#include <array>
#include <vector>

struct GLUquadric;

namespace nv {

// The flat pieces the quadric draws for a shape, each a quad of model-space corners:
// gluSphere's quads, corner (r sin p sin t, r sin p cos t, r cos p) with t the slice angle around
// the z axis and p the stack angle down from +z (a quad that meets a pole has two equal
// corners), and gluDisk's ring in the plane z = 0 with the same slice angles, one quad per slice
// (its loops only divide those quads).
using QuadricFacet = std::array<astro::Vec3, 4>;
std::vector<QuadricFacet> SphereFacets(double radius, int slices, int stacks);
std::vector<QuadricFacet> DiskFacets(double inner, double outer, int slices);

// GLU spheres and discs of the one quadric, each shape compiled once into a display list and
// replayed (the same vertices as calling GLU every frame).
class QuadricShapes {
public:
    QuadricShapes() = default;
    QuadricShapes(const QuadricShapes&) = delete;
    QuadricShapes& operator=(const QuadricShapes&) = delete;

    void SetQuadric(GLUquadric* quadric) { m_quadric = quadric; }
    GLUquadric* Quadric() const { return m_quadric; }
    void Sphere(double radius, int slices, int stacks);
    void Disk(double inner, double outer, int slices, int loops);
    // Deletes the lists (the context that made them must be current).
    void Release();

private:
    struct Entry {
        int kind;
        double a, b;
        int c, d;
        unsigned list;
    };
    unsigned ListFor(int kind, double a, double b, int c, int d);
    GLUquadric* m_quadric = nullptr;
    std::vector<Entry> m_lists;
};

} // namespace nv
