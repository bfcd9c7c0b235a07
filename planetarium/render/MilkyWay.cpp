#include "MilkyWay.h"

#include "Pictures.h"
#include "SkyFrames.h"
#include "planetarium/SkyObjects.h"

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

double CentredPixelsPerTangent(const float mv[16], const float pr[16], const int vp[4]) {
    if (vp[2] <= 0 || vp[3] <= 0) return 0.0;
    // The sphere must be centred on the eye, turned only.
    if (mv[12] != 0.0f || mv[13] != 0.0f || mv[14] != 0.0f || mv[3] != 0.0f || mv[7] != 0.0f ||
        mv[11] != 0.0f || mv[15] != 1.0f)
        return 0.0;
    for (int c = 0; c < 3; ++c) {
        const Vec column{mv[c * 4], mv[c * 4 + 1], mv[c * 4 + 2]};
        if (!(std::fabs(std::sqrt(Dot(column, column)) - 1.0) < 1e-3)) return 0.0;
    }
    // A symmetric perspective projection.
    if (pr[1] != 0.0f || pr[2] != 0.0f || pr[3] != 0.0f || pr[4] != 0.0f || pr[6] != 0.0f || pr[7] != 0.0f ||
        pr[8] != 0.0f || pr[9] != 0.0f || pr[11] != -1.0f || pr[12] != 0.0f || pr[13] != 0.0f ||
        pr[15] != 0.0f || pr[0] == 0.0f || pr[5] == 0.0f)
        return 0.0;
    return std::min(0.5 * vp[2] * std::fabs(pr[0]), 0.5 * vp[3] * std::fabs(pr[5]));
}

LevelZeroSplit FindLevelZeroPart(const float mv[16], const float pr[16], const int vp[4], int textureWidth,
                                 int textureHeight) {
    LevelZeroSplit none;
    if (textureWidth <= 0 || textureHeight <= 0) return none;
    const double pixelsPerTangent = CentredPixelsPerTangent(mv, pr, vp);
    if (pixelsPerTangent <= 0.0) return none;
    const Vec axis{mv[8], mv[9], mv[10]};

    Prover p;
    p.vx = vp[0], p.vy = vp[1], p.vw = vp[2], p.vh = vp[3];
    p.p0 = pr[0], p.p5 = pr[5];
    p.pole = Unit(axis);
    p.texWidth = textureWidth, p.texHeight = textureHeight;
    p.pixelsPerTangent = pixelsPerTangent;
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

namespace {

// Texels a range of one texture coordinate can reach at a level of n texels under linear
// filtering (the two taps around c n - 1/2), one more each side for rounding.
void TexelReach(double c0, double c1, int n, int& first, int& last) {
    first = static_cast<int>(std::floor(c0 * n - 0.5)) - 1;
    last = static_cast<int>(std::floor(c1 * n - 0.5)) + 2;
}

int Wrap(int k, int n) {
    const int r = k % n;
    return r < 0 ? r + n : r;
}

} // namespace

namespace {

// Every mipmap level of the bound texture as black-or-not texels. A texel is black when its
// colour is zero and its alpha full, which is what the cleared frame holds.
struct BlackLevels {
    std::vector<std::vector<unsigned char>> black;
    std::vector<int> width, height;
};

BlackLevels ReadBlackLevels() {
    BlackLevels levels;
    std::vector<unsigned char> texels;
    for (int level = 0;; ++level) {
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        if (w <= 0 || h <= 0) break;
        texels.assign(static_cast<size_t>(w) * h * 4, 0);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glPopClientAttrib();
        std::vector<unsigned char> black(static_cast<size_t>(w) * h);
        for (size_t k = 0; k < black.size(); ++k) {
            const unsigned char* t = &texels[k * 4];
            black[k] = t[0] == 0 && t[1] == 0 && t[2] == 0 && t[3] == 255;
        }
        levels.black.push_back(std::move(black));
        levels.width.push_back(w);
        levels.height.push_back(h);
        if (w == 1 && h == 1) break;
    }
    return levels;
}

// Whether every texel that linear filtering can reach for the texture-coordinate box is black at
// the level.
bool BoxBlack(const BlackLevels& levels, size_t level, float s0, float s1, float t0, float t1) {
    const int w = levels.width[level], h = levels.height[level];
    int x0, x1, y0, y1;
    TexelReach(s0, s1, w, x0, x1);
    TexelReach(t0, t1, h, y0, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!levels.black[level][static_cast<size_t>(Wrap(y, h)) * w + Wrap(x, w)]) return false;
    return true;
}

} // namespace

void MilkyWayMesh::BuildVertices() {
    // The vertices of gluSphere(radius, slices, stacks) with texture coordinates, outside facing,
    // computed the way GLU computes them (float angles, double sines, float products), so the
    // facets are the very same.
    constexpr int slices = kMilkyWaySlices, stacks = kMilkyWayStacks;
    float sinA[slices + 1], cosA[slices + 1], sinB[stacks + 1], cosB[stacks + 1];
    for (int i = 0; i < slices; ++i) {
        const float angle = static_cast<float>(2 * kPi * i / slices);
        sinA[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosA[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    sinA[slices] = sinA[0];
    cosA[slices] = cosA[0];
    for (int j = 0; j <= stacks; ++j) {
        const float angle = static_cast<float>(kPi * j / stacks);
        sinB[j] = static_cast<float>(kMilkyWayRadius * std::sin(static_cast<double>(angle)));
        cosB[j] = static_cast<float>(kMilkyWayRadius * std::cos(static_cast<double>(angle)));
    }
    sinB[0] = 0.0f; // the poles close to a point
    sinB[stacks] = 0.0f;
    m_positions.reserve(static_cast<size_t>(stacks) * kStripVertices * 3);
    m_texCoords.reserve(static_cast<size_t>(stacks) * kStripVertices * 2);
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i <= slices; ++i) {
            const float s = 1 - static_cast<float>(i) / slices;
            // The upper ring's vertex first, then the lower's, as the strip pairs them.
            for (const int ring : {j + 1, j}) {
                m_texCoords.insert(m_texCoords.end(), {s, 1 - static_cast<float>(ring) / stacks});
                m_positions.insert(m_positions.end(),
                                   {sinB[ring] * sinA[i], sinB[ring] * cosA[i], cosB[ring]});
            }
        }
    }
}

bool MilkyWayMesh::Prepare() {
    GLint name = 0, width = 0, height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return false;
    if (m_ready && static_cast<unsigned>(name) == m_textureName && width == m_textureWidth &&
        height == m_textureHeight)
        return true;
    if (m_positions.empty()) BuildVertices();

    // For each facet, the highest level up to which every level is black over its reach.
    const BlackLevels levels = ReadBlackLevels();
    constexpr int slices = kMilkyWaySlices, stacks = kMilkyWayStacks;
    m_blackThrough.assign(static_cast<size_t>(stacks) * slices, -1);
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            const size_t v = static_cast<size_t>(j) * kStripVertices + 2 * i; // the facet's four
            float s0 = 1e9f, s1 = -1e9f, t0 = 1e9f, t1 = -1e9f;
            for (size_t k = v; k < v + 4; ++k) {
                s0 = std::min(s0, m_texCoords[k * 2]), s1 = std::max(s1, m_texCoords[k * 2]);
                t0 = std::min(t0, m_texCoords[k * 2 + 1]), t1 = std::max(t1, m_texCoords[k * 2 + 1]);
            }
            int through = -1;
            for (size_t level = 0; level < levels.black.size() && BoxBlack(levels, level, s0, s1, t0, t1);
                 ++level)
                through = static_cast<int>(level);
            m_blackThrough[static_cast<size_t>(j) * slices + i] = through;
        }
    }
    m_runsFor = -1.0;
    m_textureName = static_cast<unsigned>(name);
    m_textureWidth = width;
    m_textureHeight = height;
    m_ready = true;
    return true;
}

void MilkyWayMesh::ChooseFacets(double pixelsPerRadian) {
    if (pixelsPerRadian == m_runsFor) return;
    constexpr int slices = kMilkyWaySlices, stacks = kMilkyWayStacks;
    m_runs.clear();
    m_facetsDrawn = 0;
    for (int j = 0; j < stacks; ++j) {
        // The level this stack can reach at most: its texels per radian are densest along its
        // edge nearer the pole, a pixel spans at most 1 / pixelsPerRadian radians, and the
        // rasteriser's estimate and rounding to the nearest level get a level and a half of margin.
        int reach = 1000;
        if (pixelsPerRadian > 0.0) {
            const double edge = std::min(j, stacks - 1 - j) * kStackAngle;
            const double across = edge > 0.0 ? m_textureWidth / (2.0 * kPi * std::sin(edge)) : 1e30;
            const double texelsPerRadian =
                kFacetStretch * std::sqrt(2.0) * std::max(across, m_textureHeight / kPi);
            const double lod = std::log2(texelsPerRadian / pixelsPerRadian);
            reach = std::max(0, static_cast<int>(std::ceil(lod + 1.5)));
        }
        for (int i = 0; i < slices;) {
            auto black = [&](int k) { return m_blackThrough[static_cast<size_t>(j) * slices + k] >= reach; };
            if (black(i)) {
                ++i;
                continue;
            }
            int end = i + 1;
            while (end < slices && !black(end)) ++end;
            m_runs.push_back({j * kStripVertices + 2 * i, 2 * (end - i) + 2});
            m_facetsDrawn += end - i;
            i = end;
        }
    }
    m_runsFor = pixelsPerRadian;
}

void MilkyWayMesh::Draw() const {
    for (const Run& run : m_runs) {
        glBegin(GL_QUAD_STRIP);
        for (int v = run.first; v < run.first + run.count; ++v) {
            glTexCoord2fv(&m_texCoords[static_cast<size_t>(v) * 2]);
            glVertex3fv(&m_positions[static_cast<size_t>(v) * 3]);
        }
        glEnd();
    }
}

void DrawMilkyWaySphere(QuadricShapes& shapes, bool splitAllowed, MilkyWayMesh* mesh) {
    float mv[16], pr[16];
    int vp[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    const bool useMesh = mesh != nullptr && !glIsEnabled(GL_LIGHTING) && mesh->Prepare();
    if (useMesh) mesh->ChooseFacets(CentredPixelsPerTangent(mv, pr, vp));
    auto plain = [&] {
        if (useMesh)
            mesh->Draw();
        else
            shapes.Sphere(kMilkyWayRadius, kMilkyWaySlices, kMilkyWayStacks);
    };
    if (!splitAllowed || glIsEnabled(GL_SCISSOR_TEST)) return plain();
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

void DrawMilkyWayLayer(SkyState& s, QuadricShapes& shapes, MilkyWayMesh* mesh) {
    s.m_texture = kMilkyWayTexture;
    // Without its picture the sphere would turn the whole night flat grey: leave the layer out.
    if (!BindPicture(s.m_texture)) return;
    glDisable(GL_DEPTH_TEST);
    const float g = s.sw.m_showDayLight ? 0.34f * s.g_dayLightLevel : 0.35f;
    glColor3f(g, g, g);
    glEnable(GL_TEXTURE_2D);
    LoadFrame(s, SkyFrame::Equatorial);
    glRotatef(150.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    // The sphere is opaque (alpha 1), so blending would only copy it: leave the read of the frame
    // buffer out, the picture is the same.
    GLint src = GL_SRC_ALPHA, dst = GL_ONE_MINUS_SRC_ALPHA;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    const bool plainCopy = glIsEnabled(GL_BLEND) && src == GL_SRC_ALPHA && dst == GL_ONE_MINUS_SRC_ALPHA;
    if (plainCopy) glDisable(GL_BLEND);
    // Black facets may be left out where the sphere is written as it is onto black.
    const bool writesAsIs = plainCopy || !glIsEnabled(GL_BLEND);
    float clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const bool ontoBlack = clear[0] == 0.0f && clear[1] == 0.0f && clear[2] == 0.0f && clear[3] == 1.0f;
    DrawMilkyWaySphere(shapes, mesh != nullptr, writesAsIs && ontoBlack ? mesh : nullptr);
    if (plainCopy) glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

} // namespace nv
