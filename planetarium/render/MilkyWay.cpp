#include "MilkyWay.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#ifndef GL_TEXTURE_MAX_LEVEL
#define GL_TEXTURE_MAX_LEVEL 0x813D
#endif

namespace nv {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Width of one stack of the sphere, radians.
constexpr double kStackAngle = kPi / kMilkyWayStacks;
// The flat facets and their chords stretch the texture by well under 1 % against the true sphere.
constexpr double kFacetStretch = 1.02;
// Level of detail proved not to be passed: level 0.5 is where LINEAR_MIPMAP_NEAREST leaves level
// 0; the rest is margin for the rasteriser's finite-difference estimate.
constexpr double kLevelBound = 0.4;
// Cells are refined down to this many pixels across.
constexpr int kSmallestCell = 8;
// Pixels added around a cell for the neighbours that a 2x2 derivative estimate reaches.
constexpr double kCellPad = 2.0;

struct Vec {
    double x, y, z;
};
double Dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Unit(const Vec& v) {
    const double len = std::sqrt(Dot(v, v));
    return {v.x / len, v.y / len, v.z / len};
}
double AngleBetween(const Vec& a, const Vec& b) { // both unit
    return std::acos(std::clamp(Dot(a, b), -1.0, 1.0));
}

struct Prover {
    double vx, vy, vw, vh; // viewport
    double p0, p5;         // projection scale in x and y (signed)
    Vec pole;              // sphere's axis in eye space (unit)
    double texWidth, texHeight;
    double pixelsPerTangent; // pixels per unit on the z = -1 plane (the smaller of x and y)
    double levelRatio;       // largest texels per pixel allowed
    bool failed = false;
    double bx0 = 1e300, by0 = 1e300, bx1 = -1e300, by1 = -1e300; // box of unproved cells

    Vec Direction(double wx, double wy) const {
        const double nx = 2.0 * (wx - vx) / vw - 1.0;
        const double ny = 2.0 * (wy - vy) / vh - 1.0;
        return Unit({nx / p0, ny / p5, -1.0});
    }

    // True when every pixel of the window cell [x0, x1] x [y0, y1] stays on level 0.
    bool CellProved(double x0, double y0, double x1, double y1) const {
        const Vec c = Direction(0.5 * (x0 + x1), 0.5 * (y0 + y1));
        double r = 0; // angular radius of the padded cell around its centre direction
        for (const double cx : {x0 - kCellPad, x1 + kCellPad})
            for (const double cy : {y0 - kCellPad, y1 + kCellPad})
                r = std::max(r, AngleBetween(c, Direction(cx, cy)));
        // Polar angle from the nearer pole, at least.
        const double polar = std::acos(std::min(1.0, std::fabs(Dot(c, pole)))) - r;
        // A facet triangle can carry the texture as densely as its stack's edge nearer the pole.
        const double edge = std::floor(polar / kStackAngle) * kStackAngle;
        if (!(edge > 0.0)) return false;
        const double texelsPerRadian =
            kFacetStretch * std::max(texWidth / (2.0 * kPi * std::sin(edge)), texHeight / kPi);
        // Off the axis by alpha, a pixel spans at most cos(alpha) / pixelsPerTangent radians.
        const double alpha = std::max(0.0, AngleBetween(c, Vec{0, 0, -1}) - r);
        const double pixelsPerRadian = pixelsPerTangent / std::cos(std::min(alpha, 1.5));
        return texelsPerRadian / pixelsPerRadian <= levelRatio;
    }

    void Visit(double x0, double y0, double x1, double y1) {
        // Only the box of the unproved cells matters: a cell already inside it needs no look.
        if (failed && x0 >= bx0 && y0 >= by0 && x1 <= bx1 && y1 <= by1) return;
        if (CellProved(x0, y0, x1, y1)) return;
        if (x1 - x0 <= kSmallestCell && y1 - y0 <= kSmallestCell) {
            failed = true;
            bx0 = std::min(bx0, x0), by0 = std::min(by0, y0);
            bx1 = std::max(bx1, x1), by1 = std::max(by1, y1);
            return;
        }
        const double mx = 0.5 * (x0 + x1), my = 0.5 * (y0 + y1);
        if (x1 - x0 > kSmallestCell && y1 - y0 > kSmallestCell) {
            Visit(x0, y0, mx, my), Visit(mx, y0, x1, my), Visit(x0, my, mx, y1), Visit(mx, my, x1, y1);
        } else if (x1 - x0 > kSmallestCell) {
            Visit(x0, y0, mx, y1), Visit(mx, y0, x1, y1);
        } else {
            Visit(x0, y0, x1, my), Visit(x0, my, x1, y1);
        }
    }
};

} // namespace

LevelZeroSplit FindLevelZeroPart(const float mv[16], const float pr[16], const int vp[4], int textureWidth,
                                 int textureHeight) {
    LevelZeroSplit none;
    if (vp[2] <= 0 || vp[3] <= 0 || textureWidth <= 0 || textureHeight <= 0) return none;
    // The sphere must be centred on the eye, turned only.
    if (mv[12] != 0.0f || mv[13] != 0.0f || mv[14] != 0.0f || mv[3] != 0.0f || mv[7] != 0.0f ||
        mv[11] != 0.0f || mv[15] != 1.0f)
        return none;
    // A symmetric perspective projection.
    if (pr[1] != 0.0f || pr[2] != 0.0f || pr[3] != 0.0f || pr[4] != 0.0f || pr[6] != 0.0f || pr[7] != 0.0f ||
        pr[8] != 0.0f || pr[9] != 0.0f || pr[11] != -1.0f || pr[12] != 0.0f || pr[13] != 0.0f ||
        pr[15] != 0.0f || pr[0] == 0.0f || pr[5] == 0.0f)
        return none;
    const Vec axis{mv[8], mv[9], mv[10]};
    const double axisLength = std::sqrt(Dot(axis, axis));
    if (!(std::fabs(axisLength - 1.0) < 1e-3)) return none; // rotations only

    Prover p;
    p.vx = vp[0], p.vy = vp[1], p.vw = vp[2], p.vh = vp[3];
    p.p0 = pr[0], p.p5 = pr[5];
    p.pole = Unit(axis);
    p.texWidth = textureWidth, p.texHeight = textureHeight;
    p.pixelsPerTangent = std::min(0.5 * vp[2] * std::fabs(pr[0]), 0.5 * vp[3] * std::fabs(pr[5]));
    p.levelRatio = std::pow(2.0, kLevelBound);
    p.Visit(vp[0], vp[1], double(vp[0]) + vp[2], double(vp[1]) + vp[3]);

    const int left = vp[0], bottom = vp[1], right = vp[0] + vp[2], top = vp[1] + vp[3];
    LevelZeroSplit split;
    if (!p.failed) {
        split.levelZero = {left, bottom, vp[2], vp[3]};
        return split;
    }
    // The largest side of the viewport left clear of every unproved cell.
    const int bx0 = std::clamp(static_cast<int>(std::floor(p.bx0)), left, right);
    const int bx1 = std::clamp(static_cast<int>(std::ceil(p.bx1)), left, right);
    const int by0 = std::clamp(static_cast<int>(std::floor(p.by0)), bottom, top);
    const int by1 = std::clamp(static_cast<int>(std::ceil(p.by1)), bottom, top);
    const LevelZeroSplit sides[4] = {
        {{left, bottom, bx0 - left, vp[3]}, {bx0, bottom, right - bx0, vp[3]}},
        {{bx1, bottom, right - bx1, vp[3]}, {left, bottom, bx1 - left, vp[3]}},
        {{left, bottom, vp[2], by0 - bottom}, {left, by0, vp[2], top - by0}},
        {{left, by1, vp[2], top - by1}, {left, bottom, vp[2], by1 - bottom}},
    };
    for (const LevelZeroSplit& s : sides)
        if (s.levelZero.Area() > split.levelZero.Area()) split = s;
    return split;
}

void DrawMilkyWaySphere(QuadricShapes& shapes, bool splitAllowed) {
    auto plain = [&] { shapes.Sphere(kMilkyWayRadius, kMilkyWaySlices, kMilkyWayStacks); };
    if (!splitAllowed || glIsEnabled(GL_SCISSOR_TEST)) return plain();
    float mv[16], pr[16];
    int vp[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    GLint width = 0, height = 0, maxLevel = 1000;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &maxLevel);
    const LevelZeroSplit split = FindLevelZeroPart(mv, pr, vp, width, height);
    // A thin level-0 part is not worth a second pass over the sphere.
    if (split.levelZero.Area() * 5 < static_cast<long long>(vp[2]) * vp[3]) return plain();

    const bool whole = split.rest.Area() == 0;
    GLint box[4] = {vp[0], vp[1], vp[2], vp[3]};
    if (!whole) {
        glGetIntegerv(GL_SCISSOR_BOX, box);
        glEnable(GL_SCISSOR_TEST);
        glScissor(split.levelZero.x, split.levelZero.y, split.levelZero.width, split.levelZero.height);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    plain();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, maxLevel);
    if (!whole) {
        glScissor(split.rest.x, split.rest.y, split.rest.width, split.rest.height);
        plain();
        glDisable(GL_SCISSOR_TEST);
        glScissor(box[0], box[1], box[2], box[3]);
    }
}

} // namespace nv
