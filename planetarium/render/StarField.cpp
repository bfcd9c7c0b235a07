#include "StarField.h"

#include "DayLight.h"
#include "SkyFrames.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace nv {

StarRgb StarColour(float spectralClass, float B) {
    const int cls = (spectralClass >= 0.0f && spectralClass < 8.0f) ? static_cast<int>(spectralClass) : 7;
    switch (cls) {
    case 0:
        return {0.4f * B, 0.4f * B, B};
    case 1:
        return {0.7f * B, 0.7f * B, B};
    case 2:
        return {B, B, B};
    case 3:
        return {B, B, 0.7f * B};
    case 4:
        return {B, B, 0.4f * B};
    case 5:
        return {B, B, 0.7f * B};
    case 6:
        return {0.7f * B, 0.4f * B, 0.4f * B};
    default:
        return {B, B, B};
    }
}

void GlowVertices(const StarRecord& s, const StarRgb& c, float S, float* pos, float* col) {
    const float a = 0.01f * S;
    const float d = 0.015f * S;
    // Axes across the star's direction n: e1 = (0, 1, 0) x n along the parallel, e2 = n x e1 along
    // the meridian (n normalised); exactly at a pole any parallel will do.
    const double nl = std::sqrt(double(s.x) * s.x + double(s.y) * s.y + double(s.z) * s.z);
    const double nx = nl > 0 ? s.x / nl : 0.0, ny = nl > 0 ? s.y / nl : 0.0, nz = nl > 0 ? s.z / nl : 1.0;
    double e1x = nz, e1z = -nx;
    const double e1l = std::sqrt(e1x * e1x + e1z * e1z);
    if (e1l > 0) {
        e1x /= e1l, e1z /= e1l;
    } else {
        e1x = 1.0, e1z = 0.0;
    }
    const double e2x = ny * e1z, e2y = nz * e1x - nx * e1z, e2z = -ny * e1x;
    // The 8 points around the star as offsets (along e1, along e2), counter-clockwise from e1.
    const float around[8][2] = {{+a, 0}, {+d, +d}, {0, +a}, {-d, +d}, {-a, 0}, {-d, -d}, {0, -a}, {+d, -d}};
    float point[8][3];
    for (int k = 0; k < 8; ++k) {
        const double u = around[k][0], w = around[k][1];
        point[k][0] = static_cast<float>(s.x + u * e1x + w * e2x);
        point[k][1] = static_cast<float>(s.y + w * e2y);
        point[k][2] = static_cast<float>(s.z + u * e1z + w * e2z);
    }
    // Each triangle: the star, then two neighbouring points.
    static constexpr int kPairs[8][2] = {{0, 1}, {1, 2}, {2, 3}, {4, 3}, {4, 5}, {6, 5}, {6, 7}, {0, 7}};
    int v = 0;
    auto put = [&](const float* p, bool centre) {
        for (int k = 0; k < 3; ++k) pos[v * 3 + k] = p[k];
        col[v * 3 + 0] = centre ? c.r : 0.0f;
        col[v * 3 + 1] = centre ? c.g : 0.0f;
        col[v * 3 + 2] = centre ? c.b : 0.0f;
        ++v;
    };
    const float star[3] = {s.x, s.y, s.z};
    for (const auto& pair : kPairs) {
        put(star, true);
        put(point[pair[0]], false);
        put(point[pair[1]], false);
    }
}

float GlowReachPerScale() {
    // Measured once on a glow of scale 1.
    static const float perScale = [] {
        const StarRecord probe{0.3f, 0.5f, 0.7f, 0.0f, 0.0f};
        float pos[kGlowVertices * 3], col[kGlowVertices * 3];
        GlowVertices(probe, StarRgb{1.0f, 1.0f, 1.0f}, 1.0f, pos, col);
        double reach = 0;
        for (int v = 0; v < kGlowVertices; ++v) {
            const double dx = pos[v * 3] - probe.x, dy = pos[v * 3 + 1] - probe.y,
                         dz = pos[v * 3 + 2] - probe.z;
            reach = std::max(reach, std::sqrt(dx * dx + dy * dy + dz * dz));
        }
        return static_cast<float>(reach * 1.001); // the probe's own rounding
    }();
    return perScale;
}

float PixelAngle(float fov, int viewportHeight) {
    const double height = viewportHeight > 0 ? viewportHeight : 1;
    return static_cast<float>(2.0 * std::tan(std::fabs(fov) * 0.5 * g_degToRad) / height);
}

float PixelAngle(float fov) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return PixelAngle(fov, viewport[3]);
}

void DrawStarsImmediate(const SkyState& state, const SkyCatalog& catalog) {
    LoadFrame(state, SkyFrame::Equatorial);
    const float fov = state.g_fov;
    const float limit = DayLightStarLimit(state);
    const float pixel = PixelAngle(fov);
    float pos[kGlowVertices * 3];
    float col[kGlowVertices * 3];
    for (int i = 0; i < kCatalogueLines; ++i) {
        const StarRecord& s = catalog.m_stars[i];
        const float m = s.magnitude;
        const StarRgb c = StarColourAt(s.spectralClass, m, fov, DayLightStarFade(m, limit));
        const StarMark mark = MarkAt(s, fov, pixel);
        if (mark == StarMark::Point) {
            glColor3f(c.r, c.g, c.b);
            glLoadName(static_cast<GLuint>(i));
            glBegin(GL_POINTS);
            glVertex3f(s.x, s.y, s.z);
            glEnd();
            continue;
        }
        if (mark == StarMark::None) continue;
        GlowVertices(s, c, GlowScale(m, fov), pos, col);
        glLoadName(static_cast<GLuint>(i));
        glBegin(GL_TRIANGLES);
        for (int v = 0; v < kGlowVertices; ++v) {
            // The outer vertices are black; the centre carries the colour.
            if (v % 3 != 2) glColor3f(col[v * 3], col[v * 3 + 1], col[v * 3 + 2]);
            glVertex3f(pos[v * 3], pos[v * 3 + 1], pos[v * 3 + 2]);
        }
        glEnd();
    }
}

namespace {

// A glow's 24 vertices hold 9 distinct corners: the centre and the eight points around it. The
// batch stores each corner once and draws the triangles through indices; the corners are found
// once, from the vertices of a sample glow.
struct GlowPattern {
    int count = 0;                 // distinct corners
    int first[kGlowVertices] = {}; // where each corner first occurs among the 48 vertices
    unsigned corner[kGlowVertices] = {};
};
const GlowPattern& Pattern() {
    static const GlowPattern pattern = [] {
        GlowPattern p;
        StarRecord probe{};
        probe.x = 0.3f, probe.y = 0.5f, probe.z = 0.7f;
        float pos[kGlowVertices * 3], col[kGlowVertices * 3];
        GlowVertices(probe, StarRgb{1.0f, 1.0f, 1.0f}, 1.0f, pos, col);
        for (int v = 0; v < kGlowVertices; ++v) {
            int j = 0;
            while (j < p.count && std::memcmp(&pos[p.first[j] * 3], &pos[v * 3], 3 * sizeof(float)) != 0) ++j;
            if (j == p.count) p.first[p.count++] = v;
            p.corner[v] = static_cast<unsigned>(j);
        }
        return p;
    }();
    return pattern;
}

constexpr int kDecBands = 18; // 10 degrees each
constexpr int kRaBins = 36;   // 10 degrees each
constexpr int kSkyCells = kDecBands * kRaBins;
constexpr int kOddCell = kSkyCells; // directions that are not unit vectors: always drawn

int CellOf(const StarRecord& s) {
    const double len = std::sqrt(double(s.x) * s.x + double(s.y) * s.y + double(s.z) * s.z);
    if (!(len > 0.5 && len < 2.0)) return kOddCell;
    const double dec = std::asin(std::clamp(-s.y / len, -1.0, 1.0)) * g_radToDeg;
    double ra = std::atan2(-double(s.x), double(s.z)) * g_radToDeg;
    if (ra < 0) ra += 360.0;
    const int band = std::clamp(static_cast<int>((dec + 90.0) / 10.0), 0, kDecBands - 1);
    const int bin = std::clamp(static_cast<int>(ra / 10.0), 0, kRaBins - 1);
    return band * kRaBins + bin;
}

} // namespace

void StarBatch::Build(const SkyCatalog& catalog) {
    std::vector<int> pointCell, glowCell;
    std::vector<int> pointIdx, glowIdx;
    m_brightestGlow = kGlowMagnitudeLimit;
    for (int i = 0; i < kCatalogueLines; ++i) {
        const StarRecord& s = catalog.m_stars[i];
        const StarMark mark = MarkOf(s);
        if (mark == StarMark::Point) {
            pointIdx.push_back(i);
        } else if (mark == StarMark::Glow) {
            glowIdx.push_back(i);
            m_brightestGlow = std::min(m_brightestGlow, s.magnitude);
        }
    }
    // Counting sort by cell keeps catalogue order inside a cell.
    auto sortByCell = [&](const std::vector<int>& idx, std::vector<StarRecord>& out, auto setRange) {
        std::vector<int> cellOf(idx.size());
        std::array<int, kSkyCells + 2> start{};
        for (size_t k = 0; k < idx.size(); ++k) {
            cellOf[k] = CellOf(catalog.m_stars[idx[k]]);
            ++start[cellOf[k] + 1];
        }
        for (int c = 0; c <= kSkyCells; ++c) start[c + 1] += start[c];
        out.assign(idx.size(), StarRecord{});
        std::array<int, kSkyCells + 1> fill{};
        for (size_t k = 0; k < idx.size(); ++k)
            out[start[cellOf[k]] + fill[cellOf[k]]++] = catalog.m_stars[idx[k]];
        for (int c = 0; c <= kSkyCells; ++c) setRange(m_cells[c], start[c], start[c + 1]);
    };
    m_cells.assign(kSkyCells + 1, Cell{});
    sortByCell(pointIdx, m_pointStars, [](Cell& c, int b, int e) {
        c.pointBegin = b;
        c.pointEnd = e;
    });
    sortByCell(glowIdx, m_glowStars, [](Cell& c, int b, int e) {
        c.glowBegin = b;
        c.glowEnd = e;
    });
    // Bounding spheres around each cell's stars.
    for (int c = 0; c < kSkyCells; ++c) {
        Cell& cell = m_cells[c];
        double sx = 0, sy = 0, sz = 0;
        int n = 0;
        auto add = [&](const StarRecord& s) { sx += s.x, sy += s.y, sz += s.z, ++n; };
        for (int k = cell.pointBegin; k < cell.pointEnd; ++k) add(m_pointStars[k]);
        for (int k = cell.glowBegin; k < cell.glowEnd; ++k) add(m_glowStars[k]);
        if (n == 0) continue;
        cell.cx = static_cast<float>(sx / n), cell.cy = static_cast<float>(sy / n),
        cell.cz = static_cast<float>(sz / n);
        double r2 = 0;
        auto grow = [&](const StarRecord& s) {
            const double dx = s.x - cell.cx, dy = s.y - cell.cy, dz = s.z - cell.cz;
            r2 = std::max(r2, dx * dx + dy * dy + dz * dz);
        };
        for (int k = cell.pointBegin; k < cell.pointEnd; ++k) grow(m_pointStars[k]);
        for (int k = cell.glowBegin; k < cell.glowEnd; ++k) grow(m_glowStars[k]);
        cell.radius = static_cast<float>(std::sqrt(r2)) + 1e-4f;
    }
    m_cells[kOddCell].radius = -1.0f; // marks "always draw"

    m_pointPos.resize(m_pointStars.size() * 3);
    for (size_t k = 0; k < m_pointStars.size(); ++k) {
        m_pointPos[k * 3 + 0] = m_pointStars[k].x;
        m_pointPos[k * 3 + 1] = m_pointStars[k].y;
        m_pointPos[k * 3 + 2] = m_pointStars[k].z;
    }
    m_pointCol.resize(m_pointPos.size());
    const GlowPattern& pattern = Pattern();
    m_glowPos.resize(m_glowStars.size() * pattern.count * 3);
    m_glowCol.resize(m_glowPos.size());
    m_glowIdx.resize(m_glowStars.size() * kGlowVertices);
    for (size_t k = 0; k < m_glowStars.size(); ++k)
        for (int v = 0; v < kGlowVertices; ++v)
            m_glowIdx[k * kGlowVertices + v] = static_cast<unsigned>(k * pattern.count) + pattern.corner[v];
    m_shapedFov = -1.0f;
    m_built = true;
}

void StarBatch::Shape(float fov, float limit, float pixel) {
    for (size_t k = 0; k < m_pointStars.size(); ++k) {
        const StarRecord& s = m_pointStars[k];
        const StarRgb c =
            StarColourAt(s.spectralClass, s.magnitude, fov, DayLightStarFade(s.magnitude, limit));
        m_pointCol[k * 3 + 0] = c.r;
        m_pointCol[k * 3 + 1] = c.g;
        m_pointCol[k * 3 + 2] = c.b;
    }
    const GlowPattern& pattern = Pattern();
    float pos[kGlowVertices * 3], col[kGlowVertices * 3];
    m_tinyPos.clear();
    m_tinyCol.clear();
    for (size_t k = 0; k < m_glowStars.size(); ++k) {
        const StarRecord& s = m_glowStars[k];
        const StarRgb c =
            StarColourAt(s.spectralClass, s.magnitude, fov, DayLightStarFade(s.magnitude, limit));
        float S = GlowScale(s.magnitude, fov);
        if (GlowUnderAPixel(S, pixel)) { // a point instead; its glow shrinks to nothing (no fragments)
            m_tinyPos.insert(m_tinyPos.end(), {s.x, s.y, s.z});
            m_tinyCol.insert(m_tinyCol.end(), {c.r, c.g, c.b});
            S = 0.0f;
        }
        GlowVertices(s, c, S, pos, col);
        for (int j = 0; j < pattern.count; ++j) {
            const int v = pattern.first[j];
            std::memcpy(&m_glowPos[(k * pattern.count + j) * 3], &pos[v * 3], 3 * sizeof(float));
            std::memcpy(&m_glowCol[(k * pattern.count + j) * 3], &col[v * 3], 3 * sizeof(float));
        }
    }
    m_shapedFov = std::fabs(fov);
    m_shapedLimit = limit;
    m_shapedPixel = pixel;
}

void StarBatch::CollectVisible(std::vector<int>& cells) const {
    cells.clear();
    const ViewVolume volume = CurrentViewVolume();
    const double glowReach = GlowReach(std::max(0.0f, GlowScale(m_brightestGlow, m_shapedFov))) + 1e-3;
    for (int c = 0; c <= kSkyCells; ++c) {
        const Cell& cell = m_cells[c];
        if (cell.pointBegin == cell.pointEnd && cell.glowBegin == cell.glowEnd) continue;
        if (cell.radius < 0.0f || !volume.BallOutside(cell.cx, cell.cy, cell.cz, cell.radius + glowReach))
            cells.push_back(c);
    }
}

void StarBatch::Draw(const SkyState& state, const SkyCatalog& catalog) {
    if (!m_built) Build(catalog);
    const float limit = DayLightStarLimit(state);
    const float pixel = PixelAngle(state.g_fov);
    if (m_shapedFov != std::fabs(state.g_fov) || m_shapedLimit != limit || m_shapedPixel != pixel)
        Shape(state.g_fov, limit, pixel);
    LoadFrame(state, SkyFrame::Equatorial);

    CollectVisible(m_visible);
    m_cellsDrawn = static_cast<int>(m_visible.size());

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    // Consecutive visible cells are merged into one range; `draw` takes a range of stars.
    auto drawRanges = [&](int Cell::*begin, int Cell::*end, auto draw) {
        int runBegin = -1, runEnd = -1;
        for (int c : m_visible) {
            const Cell& cell = m_cells[c];
            if (cell.*begin == cell.*end) continue;
            if (cell.*begin == runEnd) {
                runEnd = cell.*end;
                continue;
            }
            if (runBegin >= 0) draw(runBegin, runEnd);
            runBegin = cell.*begin;
            runEnd = cell.*end;
        }
        if (runBegin >= 0) draw(runBegin, runEnd);
    };
    if (!m_pointPos.empty()) {
        glVertexPointer(3, GL_FLOAT, 0, m_pointPos.data());
        glColorPointer(3, GL_FLOAT, 0, m_pointCol.data());
        drawRanges(&Cell::pointBegin, &Cell::pointEnd,
                   [](int first, int last) { glDrawArrays(GL_POINTS, first, last - first); });
    }
    if (!m_glowPos.empty()) {
        // The same triangles, vertex for vertex, as the 48-vertex glows, each corner sent once.
        glVertexPointer(3, GL_FLOAT, 0, m_glowPos.data());
        glColorPointer(3, GL_FLOAT, 0, m_glowCol.data());
        drawRanges(&Cell::glowBegin, &Cell::glowEnd, [&](int first, int last) {
            glDrawElements(GL_TRIANGLES, (last - first) * kGlowVertices, GL_UNSIGNED_INT,
                           &m_glowIdx[static_cast<size_t>(first) * kGlowVertices]);
        });
    }
    if (!m_tinyPos.empty()) {
        glVertexPointer(3, GL_FLOAT, 0, m_tinyPos.data());
        glColorPointer(3, GL_FLOAT, 0, m_tinyCol.data());
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(m_tinyPos.size() / 3));
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawStarLayer(const SkyState& s, const SkyCatalog& catalog, StarBatch* batch) {
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    // With the Sun up every star is black: adding black changes nothing.
    const bool allHidden = DayLightHidesEveryStar(DayLightStarLimit(s));
    if (!allHidden && batch != nullptr)
        batch->Draw(s, catalog);
    else if (!allHidden)
        DrawStarsImmediate(s, catalog);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}

} // namespace nv
