#include "planetarium/tools/Picking.h"

#include "planetarium/render/Bodies.h"
#include "planetarium/render/Projection.h"
#include "planetarium/render/QuadricShapes.h"
#include "planetarium/render/SkyFrames.h"
#include "planetarium/render/StarField.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace nv::tools {

PickedObject ClassifyPick(int name) {
    if (name >= 0 && name < kCatalogueLines) return {PickKind::Star, name};
    const int body = name - static_cast<int>(kBodyPickBase);
    if (body >= 0 && body < astro::kBodyCount) return {PickKind::Body, body};
    const int messier = name - static_cast<int>(kMessierPickBase);
    if (messier >= 1 && messier <= kMessierCount) return {PickKind::Messier, messier};
    return {};
}

namespace {

using astro::Mat4;
using astro::Vec3;

constexpr int kPlanes = 6;
using PlaneValues = std::array<double, kPlanes>;

// The pick box: its centre and half-size in normalised device units (y up, from the viewport's
// bottom), and its six planes in clip space, (a, b, c, d) . (x, y, z, w) >= 0 inside: the left,
// right, bottom and top sides, then the near and far planes.
using ClipBox = std::array<std::array<double, 4>, kPlanes>;
struct PickBox {
    double cx, cy, hx, hy;
    ClipBox planes;
};

PickBox BoxAt(const ProjectionParams& p, int x, int y) {
    PickBox b;
    b.cx = 2.0 * x / p.width - 1.0;
    b.hx = kPickBoxPixels / p.width;
    b.cy = 2.0 * (p.height - y) / p.height - 1.0;
    b.hy = kPickBoxPixels / p.height;
    b.planes = {{{1, 0, 0, -(b.cx - b.hx)},
                 {-1, 0, 0, b.cx + b.hx},
                 {0, 1, 0, -(b.cy - b.hy)},
                 {0, -1, 0, b.cy + b.hy},
                 {0, 0, 1, 1},
                 {0, 0, -1, 1}}};
    return b;
}

// A cone from the eye around the box's middle ray that holds the whole box (for a quick first
// look): its axis in a frame's model coordinates and the cosine of its half-angle; cosine 0 where
// there is none to use (an eye moved off the frame's origin, a box reaching sideways past 90
// degrees).
struct PickCone {
    double axis[3] = {0, 0, 0};
    double cosine = 0;
};

PickCone ConeOf(const ProjectionParams& p, const PickBox& b, const Mat4& modelView) {
    PickCone cone;
    const double* m = modelView.m.data();
    if (m[12] != 0 || m[13] != 0 || m[14] != 0) return cone;
    const double f = 1.0 / std::tan(p.fovy / 2 * astro::g_degToRad);
    // The model-space direction of the ray through a point of normalised device units (u, v).
    auto ray = [&](double u, double v) {
        const double e[3] = {u * p.aspect / f, v / f, -1.0};
        Vec3 d{m[0] * e[0] + m[1] * e[1] + m[2] * e[2], m[4] * e[0] + m[5] * e[1] + m[6] * e[2],
               m[8] * e[0] + m[9] * e[1] + m[10] * e[2]};
        const double len = astro::Length(d);
        return Vec3{d.x / len, d.y / len, d.z / len};
    };
    const Vec3 axis = ray(b.cx, b.cy);
    double cosine = 1;
    for (const double su : {-1.0, 1.0})
        for (const double sv : {-1.0, 1.0}) {
            const Vec3 c = ray(b.cx + su * b.hx, b.cy + sv * b.hy);
            cosine = std::min(cosine, c.x * axis.x + c.y * axis.y + c.z * axis.z);
        }
    if (!(cosine > 0)) return cone;
    cone.axis[0] = axis.x, cone.axis[1] = axis.y, cone.axis[2] = axis.z;
    cone.cosine = cosine;
    return cone;
}

// The box's planes in one frame's model coordinates (each clip plane times the frame's clip
// matrix), with each plane's normal length so that values can be read as distances.
struct FramePlanes {
    double p[kPlanes][4];
    double normal[kPlanes];

    FramePlanes(const ClipBox& box, const Mat4& clip) {
        for (int k = 0; k < kPlanes; ++k) {
            for (int c = 0; c < 4; ++c) {
                double v = 0;
                for (int r = 0; r < 4; ++r) v += box[k][r] * clip.m[c * 4 + r];
                p[k][c] = v;
            }
            normal[k] = std::sqrt(p[k][0] * p[k][0] + p[k][1] * p[k][1] + p[k][2] * p[k][2]);
        }
    }
    double Value(int k, double x, double y, double z) const {
        return p[k][0] * x + p[k][1] * y + p[k][2] * z + p[k][3];
    }
    PlaneValues Values(const Vec3& v) const {
        PlaneValues out;
        for (int k = 0; k < kPlanes; ++k) out[k] = Value(k, v.x, v.y, v.z);
        return out;
    }
    bool Inside(double x, double y, double z) const {
        for (int k = 0; k < kPlanes; ++k)
            if (Value(k, x, y, z) < 0) return false;
        return true;
    }
    // The ball lies wholly on the outer side of one plane.
    bool BallOutside(double x, double y, double z, double radius) const {
        for (int k = 0; k < kPlanes; ++k)
            if (Value(k, x, y, z) < -normal[k] * radius) return true;
        return false;
    }
};

// Whether a convex polygon, given by its corners' plane values, keeps a piece inside the box when
// clipped against each plane in turn, as the clipper of the graphics pipeline does. Plane values
// change linearly along an edge, so a corner cut on an edge gets the same blend of its ends.
bool PolygonMeetsBox(const PlaneValues* corners, int count) {
    // A convex polygon of n corners keeps at most n + 6 after six cuts; rounding can make a nearly
    // flat one cut more often, which the room here still holds.
    constexpr int kRoom = 32;
    PlaneValues buffers[2][kRoom];
    if (count < 3 || count > 4) return false;
    const PlaneValues* in = corners;
    for (int k = 0; k < kPlanes; ++k) {
        PlaneValues* out = buffers[k % 2];
        int kept = 0;
        for (int i = 0; i < count && kept + 2 <= kRoom; ++i) {
            const PlaneValues& cur = in[i];
            const PlaneValues& next = in[(i + 1) % count];
            const bool curIn = cur[k] >= 0, nextIn = next[k] >= 0;
            if (curIn) out[kept++] = cur;
            if (curIn != nextIn) {
                const double t = cur[k] / (cur[k] - next[k]);
                for (int j = 0; j < kPlanes; ++j) out[kept][j] = cur[j] + t * (next[j] - cur[j]);
                ++kept;
            }
        }
        if (kept < 3) return false;
        in = out;
        count = kept;
    }
    return true;
}

// Triangles given as consecutive vertex triples (3 floats each).
bool TrianglesMeetBox(const FramePlanes& planes, const float* positions, int vertices) {
    for (int v = 0; v + 2 < vertices; v += 3) {
        PlaneValues corners[3];
        for (int c = 0; c < 3; ++c) {
            const float* p = positions + (v + c) * 3;
            corners[c] = planes.Values({p[0], p[1], p[2]});
        }
        if (PolygonMeetsBox(corners, 3)) return true;
    }
    return false;
}

bool FacetsMeetBox(const FramePlanes& planes, const std::vector<QuadricFacet>& facets) {
    for (const QuadricFacet& f : facets) {
        PlaneValues corners[4];
        for (int c = 0; c < 4; ++c) corners[c] = planes.Values(f[c]);
        if (PolygonMeetsBox(corners, 4)) return true;
    }
    return false;
}

Mat4 Turn(const astro::GlRotation& r, float sign = 1.0f) {
    return astro::RotationMatrix(sign * r.angle, r.x, r.y, r.z);
}

// The frames every body is drawn in: the projection, the ecliptic frame (no eye shift), the whole
// chain once more (it turns each sphere) and the equatorial frame of date (the body's star).
struct BodyFrames {
    Mat4 projection, ecliptic, chain, ofDate;
};

// A body as DrawBody draws it: its glow in the ecliptic frame, then its sphere (and Saturn's
// ring) placed at the body and turned.
bool BodyMeetsBox(const SkyState& s, const ClipBox& box, const BodyFrames& f, int body,
                  const astro::BodyPosition& b) {
    const float x = static_cast<float>(b.x), y = static_cast<float>(b.y), z = static_cast<float>(b.z);
    const unsigned t = kSkyBodies[body].texture;
    const double r = static_cast<float>(b.size);
    float glow = 0;
    if (BodyGlowSize(t, s.g_fov, glow)) {
        float pos[kBodyGlowVertices * 3];
        BodyGlowVertices(x, y, z, glow, pos);
        if (TrianglesMeetBox(FramePlanes(box, f.projection * f.ecliptic), pos, kBodyGlowVertices))
            return true;
    }
    Mat4 sphere = f.ecliptic * astro::TranslationMatrix(x + s.m_eyeX, y + s.m_eyeY, z + s.m_eyeZ) * f.chain;
    for (const auto& turn : kSphereTurns) sphere = sphere * Turn(turn);
    const bool saturn = t == kSaturnTexture;
    const Mat4 ball = saturn ? sphere * Turn(kSaturnTilt) : sphere;
    const FramePlanes ballPlanes(box, f.projection * ball);
    if (!ballPlanes.BallOutside(0, 0, 0, r * 1.0001) &&
        FacetsMeetBox(ballPlanes, SphereFacets(r, kSphereSlices, kSphereStacks)))
        return true;
    if (!saturn) return false;
    const Mat4 ring = ball * Turn(kSaturnTilt, -1.0f) * Turn(kSaturnRingTurn);
    const FramePlanes ringPlanes(box, f.projection * ring);
    return !ringPlanes.BallOutside(0, 0, 0, r * kSaturnRingOuter * 1.0001) &&
           FacetsMeetBox(ringPlanes, DiskFacets(r * kSaturnRingInner, r * kSaturnRingOuter, kSphereSlices));
}

// A star's drawn footprint: its point, or its glow's triangles, as `mark` says.
bool MarkMeetsBox(const FramePlanes& planes, const StarRecord& star, StarMark mark, float scale) {
    if (mark == StarMark::None) return false;
    if (planes.Inside(star.x, star.y, star.z)) return true; // the point, or a glow's centre
    if (mark == StarMark::Point) return false;
    if (planes.BallOutside(star.x, star.y, star.z, GlowReach(scale))) return false;
    float pos[kGlowVertices * 3], col[kGlowVertices * 3];
    GlowVertices(star, StarRgb{1.0f, 1.0f, 1.0f}, scale, pos, col);
    return TrianglesMeetBox(planes, pos, kGlowVertices);
}

// The first body, in the order DrawBodiesOverTheirStars draws them, whose drawn footprint meets
// the box: the stars of the bodies whose glow lies within their disc, the bodies themselves
// (the Moon first), then the stars of the others.
int FirstBodyInBox(const SkyState& s, const ClipBox& box, const BodyFrames& f,
                   const astro::CSolarSystem& solar, float pixel) {
    const FramePlanes ofDate(box, f.projection * f.ofDate);
    auto starHit = [&](bool outreaching) {
        for (int body = 0; body < astro::kBodyCount; ++body) {
            const astro::BodyPosition& b = solar.Body(body);
            if (GlowOutreachesBody(s, b, body) != outreaching) continue;
            const BodyStar bs = BodyStarOf(s, b, body, pixel);
            if (MarkMeetsBox(ofDate, bs.star, bs.mark, bs.scale)) return body;
        }
        return -1;
    };
    int body = starHit(false);
    if (body >= 0) return body;
    for (const int k : kBodyDrawOrder)
        if (BodyMeetsBox(s, box, f, k, solar.Body(k))) return k;
    return starHit(true);
}

bool StarMeetsBox(const FramePlanes& planes, const StarRecord& star, float fov, float pixel) {
    const StarMark mark = MarkAt(star, fov, pixel);
    return MarkMeetsBox(planes, star, mark, mark == StarMark::Glow ? GlowScale(star.magnitude, fov) : 0.0f);
}

// The first star, in catalogue order, whose point or glow meets the box. A quick look in single
// precision, without branches, first leaves out each star that cannot reach the cone around the
// box: a glow whose corners lie within R of its star (a point: R = 0) reaches the cone only if the
// star's direction is within b + r of the axis (b the cone's half-angle, r = asin R <= 1.0202 R
// for R <= 0.2), that is p . axis >= cos(b + r) >= cos b (1 - r^2 / 2) - sin b r for a unit p.
// The exact test is made on the few others, and on every star that is not a unit vector.
int FirstStarInBox(const FramePlanes& planes, const PickCone& cone, const SkyCatalog& catalog, float fov,
                   float pixel) {
    const bool look = cone.cosine > 0;
    const float ax = static_cast<float>(cone.axis[0]), ay = static_cast<float>(cone.axis[1]),
                az = static_cast<float>(cone.axis[2]);
    constexpr double kAsinSlope = 1.0202;
    const float cosB = static_cast<float>(cone.cosine);
    const float sinTerm =
        static_cast<float>(std::sqrt(std::max(0.0, 1.0 - cone.cosine * cone.cosine)) * kAsinSlope);
    const float squareTerm = static_cast<float>(cone.cosine * kAsinSlope * kAsinSlope / 2);
    const float perScale = GlowReachPerScale();
    for (int i = 0; i < kCatalogueLines; ++i) {
        const StarRecord& r = catalog.m_stars[i];
        const float along = ax * r.x + ay * r.y + az * r.z;
        const float length2 = r.x * r.x + r.y * r.y + r.z * r.z;
        const float scale = GlowScale(r.magnitude, fov); // below 0 for a point
        const float reach = perScale * (scale > 0.0f ? scale : 0.0f);
        const float bound = cosB - reach * (sinTerm + squareTerm * reach);
        // Margins for a length within 1e-5 of 1 and for the rounding of the look.
        const bool near = (along >= 0.99999f * bound - 2e-6f) | (bound <= 0.0f) | (reach > 0.19f) |
                          !((length2 > 0.99998f) & (length2 < 1.00002f));
        if ((near | !look) && StarMeetsBox(planes, r, fov, pixel)) return i;
    }
    return kPickNone;
}

bool PictureMeetsBox(const FramePlanes& planes, const std::array<Vec3f, 4>& corners) {
    PlaneValues values[4];
    for (int c = 0; c < 4; ++c) values[c] = planes.Values({corners[c].x, corners[c].y, corners[c].z});
    return PolygonMeetsBox(values, 4);
}

} // namespace

int PickObject(const SkyState& s, const SkyCatalog& catalog, const astro::CSolarSystem& solar, int x, int y,
               double devicePixelRatio) {
    const ProjectionParams params = SkyProjection(s.g_fov, s.g_flipHorizontal, s.g_viewWidth, s.g_viewHeight);
    if (params.width <= 0) return kPickNone;
    const PickBox box = BoxAt(params, x, y);
    // The frame decides which glows are drawn as points by the pixels of its viewport.
    const double scale = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const float pixel = PixelAngle(s.g_fov, static_cast<int>(std::lround(params.height * scale)));
    const BodyFrames frames{PerspectiveMatrix(params), FrameMatrix(s, SkyFrame::Ecliptic, false),
                            astro::SkyRotation(ChainOf(s), SkyFrame::Ecliptic),
                            FrameMatrix(s, SkyFrame::EquatorialOfDate)};
    const int body = FirstBodyInBox(s, box.planes, frames, solar, pixel);
    if (body >= 0) return static_cast<int>(kBodyPickBase) + body;

    const Mat4 equatorialFrame = FrameMatrix(s, SkyFrame::Equatorial);
    const FramePlanes equatorial(box.planes, frames.projection * equatorialFrame);
    const int star =
        FirstStarInBox(equatorial, ConeOf(params, box, equatorialFrame), catalog, s.g_fov, pixel);
    if (star != kPickNone) return star;

    for (int k = 1; k <= kMessierDrawn; ++k)
        if (PictureMeetsBox(equatorial, catalog.m_messierCorners[k - 1]))
            return static_cast<int>(kMessierPickBase) + k;
    return kPickNone;
}

astro::CSolarSystem BodiesForSkyClock(const SkyState& s) {
    astro::CSolarSystem bodies;
    bodies.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    return bodies;
}

std::string PopupFirstItemText(int name, const SkyCatalog* catalog) {
    const PickedObject picked = ClassifyPick(name);
    char text[64];
    switch (picked.kind) {
    case PickKind::Star:
        if (catalog != nullptr && !catalog->m_starNames[picked.number].empty())
            return "About " + catalog->m_starNames[picked.number];
        std::snprintf(text, sizeof text, "Hip number %d", picked.number);
        return text;
    case PickKind::Body:
        return "About " + std::string(kSkyBodies[picked.number].pickedName);
    case PickKind::Messier:
        std::snprintf(text, sizeof text, "About Messier M%d", picked.number);
        return text;
    case PickKind::None:
        break;
    }
    return "No star Selected";
}

} // namespace nv::tools
