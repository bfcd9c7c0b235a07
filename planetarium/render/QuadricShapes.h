// The spheres and discs of the one GLU quadric, each shape compiled once into a display list.
#pragma once

#include <vector>

struct GLUquadric;

namespace nv {

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
