// The processor's pick against the selection mode over the real sky, and its rules on a made-up sky.
#include "RenderTestSupport.h"
#include "SelectionPick.h"

#include "planetarium/render/DayLight.h"
#include "planetarium/render/Projection.h"
#include "planetarium/render/SkyFrames.h"
#include "planetarium/render/StarField.h"
#include "planetarium/tools/Picking.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace rendertest;
using nv::tools::PickObject;

namespace {

// Where an equatorial (or, with `ecliptic`, ecliptic) point appears: pixel x right, y down, as
// the pick reads the pointer; nullopt behind the eye or outside the view.
std::optional<QPointF> PixelOf(const nv::SkyState& s, const astro::Vec3& v, nv::SkyFrame frame) {
    const nv::ProjectionParams p =
        nv::SkyProjection(s.g_fov, s.g_flipHorizontal, s.g_viewWidth, s.g_viewHeight);
    const astro::Mat4 m =
        nv::PerspectiveMatrix(p) * nv::FrameMatrix(s, frame, frame != nv::SkyFrame::Ecliptic);
    const double* a = m.m.data();
    const double cx = a[0] * v.x + a[4] * v.y + a[8] * v.z + a[12];
    const double cy = a[1] * v.x + a[5] * v.y + a[9] * v.z + a[13];
    const double cw = a[3] * v.x + a[7] * v.y + a[11] * v.z + a[15];
    if (cw <= 0) return std::nullopt;
    const double x = (cx / cw + 1) / 2 * p.width, y = p.height - (cy / cw + 1) / 2 * p.height;
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return std::nullopt;
    return QPointF(x, y);
}

class PickingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.ok()) << "no off-screen OpenGL context";
        std::string why;
        real = RealCatalog(&why);
        ASSERT_NE(real, nullptr) << why;
        SetLondonEvening(s);
        s.g_viewWidth = frame.ctx.width();
        s.g_viewHeight = frame.ctx.height();
        frame.solar = nv::tools::BodiesForSkyClock(s);
    }
    Frame frame{800, 600};
    const nv::SkyCatalog* real = nullptr;
    nv::SkyState s = DarkState();
};

// Pointer positions for one view: half anywhere in the view, half near something drawn there (a
// star, out to the tips of a bright star's glow, a body, a picture's corner), where the
// footprints' edges count.
std::vector<QPoint> Pointers(const nv::SkyState& s, const nv::SkyCatalog& cat,
                             const astro::CSolarSystem& solar, std::mt19937& rng, int count) {
    struct Near {
        QPointF at;
        double spread; // pixels
    };
    std::vector<Near> near;
    auto add = [&](const astro::Vec3& v, double spread, nv::SkyFrame in = nv::SkyFrame::Equatorial) {
        if (auto p = PixelOf(s, v, in)) near.push_back({*p, spread});
    };
    for (int i = 1; i < nv::kCatalogueLines; ++i) {
        const nv::StarRecord& r = cat.m_stars[i];
        if (r.magnitude < 9.0f && i % 7 == 0) add({r.x, r.y, r.z}, 3.0);
        if (nv::MarkOf(r) != nv::StarMark::Glow) continue;
        float pos[nv::kGlowVertices * 3], col[nv::kGlowVertices * 3];
        nv::GlowVertices(r, {1, 1, 1}, nv::GlowScale(r.magnitude, s.g_fov), pos, col);
        for (int v = 1; v < nv::kGlowVertices; v += 3) add({pos[v * 3], pos[v * 3 + 1], pos[v * 3 + 2]}, 2.0);
    }
    for (int b = 0; b < astro::kBodyCount; ++b) // the bodies' edges often
        for (int k = 0; k < 40; ++k)
            add({solar.Body(b).x, solar.Body(b).y, solar.Body(b).z}, 5.0 + k, nv::SkyFrame::Ecliptic);
    for (const auto& quad : cat.m_messierCorners)
        for (const nv::Vec3f& c : quad) add({c.x, c.y, c.z}, 3.0);
    std::uniform_int_distribution<int> ux(0, s.g_viewWidth - 1), uy(0, s.g_viewHeight - 1);
    std::normal_distribution<double> jitter(0.0, 1.0);
    std::vector<QPoint> out;
    for (int k = 0; k < count; ++k) {
        if (k % 2 == 0 || near.empty()) {
            out.emplace_back(ux(rng), uy(rng));
            continue;
        }
        const Near& n = near[std::uniform_int_distribution<size_t>(0, near.size() - 1)(rng)];
        out.emplace_back(
            std::clamp(int(std::lround(n.at.x() + n.spread * jitter(rng))), 0, s.g_viewWidth - 1),
            std::clamp(int(std::lround(n.at.y() + n.spread * jitter(rng))), 0, s.g_viewHeight - 1));
    }
    return out;
}

} // namespace

// Faults: any way the processor's pick parts from what the renderer draws (footprints, order,
// flips, fields, bodies' positions), caught against the selection mode's answer.
TEST_F(PickingTest, ProcessorPickEqualsSelectionModeAtAThousandPointersOverTheRealSky) {
    std::mt19937 rng(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::array<int, 5> bodies = {astro::kMoon, astro::kSun, astro::kVenus, astro::kJupiter,
                                       astro::kSaturn};
    const std::array<int, 3> messiers = {42, 31, 45};
    int compared = 0, config = 0;
    std::map<nv::tools::PickKind, int> kinds;
    frame.ctx.makeCurrent();
    for (float field : {65.0f, 10.0f, 1.0f}) {
        for (bool flipped : {false, true}) {
            s.g_fov = flipped ? -field : field;
            s.g_flipHorizontal = flipped;
            nv::ApplySkyProjection(s);
            // Views at random over the whole sphere, on bodies and on Messier objects.
            for (int view = 0; view < 6; ++view, ++config) {
                if (view == 1 || view == 2) {
                    const AltAz at = AltAzOfBody(s, frame.solar, bodies[(2 * config + view) % bodies.size()]);
                    AimAt(s, at.alt, at.az);
                } else if (view == 3) {
                    const nv::Vec3f& c = real->m_messierCentre[messiers[config % messiers.size()] - 1];
                    const AltAz at = AltAzOfDirection(s, c.x, c.y, c.z);
                    AimAt(s, at.alt, at.az);
                } else {
                    s.m_viewPitch = static_cast<float>(std::asin(2 * unit(rng) - 1) * astro::g_radToDeg);
                    s.m_viewYaw = static_cast<float>(360 * unit(rng));
                }
                // The selection pass over the whole view finds what can be hit anywhere in it; the
                // passes for the pointers draw only those stars (faster, the same answers).
                const std::vector<int> inView =
                    nvtest::SelectionHits(s, *real, frame.solar, frame.res.shapes, s.g_viewWidth / 2.0,
                                          s.g_viewHeight / 2.0, s.g_viewWidth + 8.0, s.g_viewHeight + 8.0);
                const auto visible = nvtest::KeepOnlyStars(*real, inView);
                for (const QPoint& p : Pointers(s, *real, frame.solar, rng, 28)) {
                    const int cpu = PickObject(s, *real, frame.solar, p.x(), p.y());
                    const int gl =
                        nvtest::SelectionPick(s, *visible, frame.solar, frame.res.shapes, p.x(), p.y());
                    ASSERT_EQ(cpu, gl)
                        << "field " << s.g_fov << (flipped ? " flipped" : "") << ", view pitch "
                        << s.m_viewPitch << " yaw " << s.m_viewYaw << ", pointer " << p.x() << "," << p.y();
                    ++kinds[nv::tools::ClassifyPick(cpu).kind];
                    ++compared;
                }
            }
        }
    }
    EXPECT_GE(compared, 1000);
    for (auto kind : {nv::tools::PickKind::None, nv::tools::PickKind::Star, nv::tools::PickKind::Body,
                      nv::tools::PickKind::Messier})
        EXPECT_GT(kinds[kind], 5) << "kind " << int(kind);
}

namespace {

class PickRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLondonEvening(s);
        s.g_viewWidth = 800;
        s.g_viewHeight = 600;
        s.g_fov = 10.0f;
        // Every body behind the camera, out of the way.
        const astro::Vec3 ahead = Direction(0, 0, 1.0);
        for (auto& b : solar.m_bodies) b = {-ahead.x * 3, -ahead.y * 3, -ahead.z * 3, 0.0001};
    }
    // The direction (in frame `in`) drawn at (dx, dy) pixels from the view's centre, y down.
    astro::Vec3 Direction(double dx, double dy, double distance = 1.0,
                          nv::SkyFrame in = nv::SkyFrame::Equatorial) const {
        const nv::ProjectionParams p = nv::SkyProjection(s.g_fov, s.g_flipHorizontal, 800, 600);
        const double f = 1.0 / std::tan(p.fovy / 2 * astro::g_degToRad);
        const double u = 2 * dx / 800, v = -2 * dy / 600;
        const double e[3] = {u * p.aspect / f * distance, v / f * distance, -distance};
        const astro::Mat4 frame = nv::FrameMatrix(s, in);
        const double* m = frame.m.data();
        return {m[0] * e[0] + m[1] * e[1] + m[2] * e[2], m[4] * e[0] + m[5] * e[1] + m[6] * e[2],
                m[8] * e[0] + m[9] * e[1] + m[10] * e[2]};
    }
    void Star(int hip, double dx, double dy) {
        const astro::Vec3 d = Direction(dx, dy);
        const double len = astro::Length(d);
        cat->m_stars[hip] = {float(d.x / len), float(d.y / len), float(d.z / len), 2.0f, 8.0f};
    }
    // A body drawn at (dx, dy) pixels from the centre, `distance` and `radius` in AU.
    void Body(int body, double dx, double dy, double distance, double radius, double magnitude) {
        const astro::Vec3 v = Direction(dx, dy, distance, nv::SkyFrame::Ecliptic);
        solar.m_bodies[body] = {v.x, v.y, v.z, radius, magnitude};
    }
    int Pick() const { return PickObject(s, *cat, solar, 400, 300); }

    nv::SkyState s = DarkState();
    std::unique_ptr<nv::SkyCatalog> cat = EmptyCatalog();
    astro::CSolarSystem solar;
};

} // namespace

// Faults: a star faded by the daylight no longer pickable, a picture picked before the star drawn
// over it, a star before a body, the Moon not first of the bodies, a body's star that lies within
// its disc drawn after the globes (or one that reaches past it drawn before them).
TEST_F(PickRulesTest, BodiesBeforeStarsMoonFirstPicturesLastDaylightHidesNothing) {
    Star(5, 0, 0);
    for (int c = 0; c < 4; ++c) { // M42's picture over the pointer
        const astro::Vec3 v = Direction(c < 2 ? -50 : 50, c % 3 == 0 ? 50 : -50);
        const double len = astro::Length(v);
        cat->m_messierCorners[41][c] = {float(v.x / len), float(v.y / len), float(v.z / len)};
    }
    EXPECT_EQ(Pick(), 5);
    s.sw.m_showDayLight = true, s.g_dayLightActive = true, s.g_dayLightLevel = 0.25f;
    ASSERT_TRUE(nv::DayLightHidesEveryStar(nv::DayLightStarLimit(s)));
    EXPECT_EQ(Pick(), 5);
    cat->m_stars[5] = {};
    EXPECT_EQ(Pick(), int(nv::kMessierPickBase) + 42);
    Body(astro::kJupiter, 0, 0, 4.2, 4.78e-4, 6.5);
    Star(5, 0, 0);
    EXPECT_EQ(Pick(), int(nv::kBodyPickBase) + astro::kJupiter);
    Body(astro::kMoon, 1, 1, 0.0026, 1.16e-5, 6.5);
    EXPECT_EQ(Pick(), int(nv::kBodyPickBase) + astro::kMoon);

    // The Sun behind the Moon at 1 degree, both at their true radii: the Sun's star, were it of
    // magnitude 5, lies within its disc and is picked before the Moon's globe; its true star reaches
    // past the disc and is drawn after the bodies.
    s.g_fov = 1.0f;
    Body(astro::kJupiter, 0, 0, -4.2, 4.78e-4, -2.0); // out of the way
    Body(astro::kSun, 0, 0, 0.985, 0.00465, 5.0);
    Body(astro::kMoon, 0, 0, 0.0025, 1.16e-5, -12.7);
    EXPECT_EQ(Pick(), int(nv::kBodyPickBase) + astro::kSun);
    solar.m_bodies[astro::kSun].magnitude = -26.7;
    EXPECT_EQ(Pick(), int(nv::kBodyPickBase) + astro::kMoon);
}
