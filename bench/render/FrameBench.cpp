// Frame time of the default view (field 65, every layer on, the real catalogue and textures) at
// 1280x800, against the star layer drawn one star at a time in immediate mode. Each repetition is
// one frame finished with glFinish; read the medians. Run under a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/render_bench
#include "MedianSummary.h"
#include "RenderTestSupport.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <string>

using namespace rendertest;

namespace {

struct Scene {
    Frame frame;
    nv::SkyState state;
    const nv::SkyCatalog* catalog = nullptr;
    bool ready = false;
};

// Processor time of the whole process (the rasteriser's threads included) per frame, in ms: on a
// busy machine this says more than the wall time.
void ProcessCpu(benchmark::State& bs, std::clock_t start) {
    const double ms = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
    bs.counters["cpu_all_threads_ms"] = ms / double(bs.iterations());
}

Scene& TheScene() {
    static Scene scene;
    if (!scene.ready && scene.frame.ok()) {
        std::string why;
        scene.catalog = RealCatalog(&why);
        if (scene.catalog == nullptr) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return scene;
        }
        nv::SkyState& s = scene.state;
        s.sw = nv::LayerSwitches{true, true, true, true, true, true, true,
                                 true, true, true, true, true, true, true};
        SetLondonEvening(s);
        LoadRealTextures(s);
        scene.frame.res.g_constellations.CopyStars(*scene.catalog);
        s.g_viewWidth = kWidth;
        s.g_viewHeight = kHeight;
        nv::ApplySkyProjection(s);
        scene.ready = true;
    }
    return scene;
}

void Frames(benchmark::State& bs, bool batched, bool shortcuts = true) {
    Scene& sc = TheScene();
    if (!sc.ready) {
        bs.SkipWithError("no context or no data");
        return;
    }
    sc.frame.res.batchStars = batched;
    sc.frame.res.fastPaths = shortcuts;
    nv::RenderScene(sc.state, *sc.catalog, sc.frame.res); // arrays built outside the timing
    glFinish();
    const std::clock_t start = std::clock();
    for (auto _ : bs) {
        nv::RenderScene(sc.state, *sc.catalog, sc.frame.res);
        glFinish();
    }
    ProcessCpu(bs, start);
    sc.frame.res.fastPaths = true;
}

void BM_Frame(benchmark::State& bs) {
    Frames(bs, true);
}
// The batched frame without the shortcuts that leave the picture unchanged (see
// RenderResources::fastPaths), to show what they save.
void BM_FrameWithoutShortcuts(benchmark::State& bs) {
    Frames(bs, true, false);
}
void BM_FrameWithStarsOneAtATime(benchmark::State& bs) {
    Frames(bs, false);
}

void StarLayer(benchmark::State& bs, bool batched) {
    Scene& sc = TheScene();
    if (!sc.ready) {
        bs.SkipWithError("no context or no data");
        return;
    }
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (batched) sc.frame.res.stars.Draw(sc.state, *sc.catalog);
    glFinish();
    const std::clock_t start = std::clock();
    for (auto _ : bs) {
        if (batched)
            sc.frame.res.stars.Draw(sc.state, *sc.catalog);
        else
            nv::DrawStarsImmediate(sc.state, *sc.catalog);
        glFinish();
    }
    ProcessCpu(bs, start);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}

void BM_StarLayerOneAtATime(benchmark::State& bs) {
    StarLayer(bs, false);
}
void BM_StarLayerBatched(benchmark::State& bs) {
    StarLayer(bs, true);
}

} // namespace

#define FRAME_BENCH(fn)                                                                                      \
    BENCHMARK(fn)                                                                                            \
        ->Iterations(1)                                                                                      \
        ->Repetitions(40)                                                                                    \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->UseRealTime()                                                                                      \
        ->DisplayAggregatesOnly()

FRAME_BENCH(BM_Frame);
FRAME_BENCH(BM_StarLayerOneAtATime);
FRAME_BENCH(BM_StarLayerBatched);
FRAME_BENCH(BM_FrameWithStarsOneAtATime);
FRAME_BENCH(BM_FrameWithoutShortcuts);

namespace {
// Frame time with one switch off (`only` false) or with every switch off but one (`only` true;
// the argument 14 leaves them all off: the bare frame). The argument is the switch's place in
// LayerSwitches.
void FrameSwitches(benchmark::State& bs, bool only) {
    Scene& sc = TheScene();
    if (!sc.ready) {
        bs.SkipWithError("no context or no data");
        return;
    }
    sc.frame.res.batchStars = true;
    nv::SkyState s = sc.state;
    static constexpr bool nv::LayerSwitches::*kSwitches[] = {
        &nv::LayerSwitches::m_showAltAzi,     &nv::LayerSwitches::m_showStars,
        &nv::LayerSwitches::m_showStarNames,  &nv::LayerSwitches::m_showRaDec,
        &nv::LayerSwitches::m_showEcliptic,   &nv::LayerSwitches::m_showPlanets,
        &nv::LayerSwitches::m_showGround,     &nv::LayerSwitches::m_showMilkyWay,
        &nv::LayerSwitches::m_showConstLines, &nv::LayerSwitches::m_showConstNames,
        &nv::LayerSwitches::m_showMessiers,   &nv::LayerSwitches::m_showMessierNames,
        &nv::LayerSwitches::m_showDayLight,   &nv::LayerSwitches::m_showEyepiece};
    const auto which = static_cast<size_t>(bs.range(0));
    if (only) {
        for (auto sw : kSwitches) s.sw.*sw = false;
        if (which < std::size(kSwitches)) s.sw.*kSwitches[which] = true;
    } else if (which < std::size(kSwitches)) {
        s.sw.*kSwitches[which] = false;
    }
    nv::RenderScene(s, *sc.catalog, sc.frame.res);
    glFinish();
    const std::clock_t start = std::clock();
    for (auto _ : bs) {
        nv::RenderScene(s, *sc.catalog, sc.frame.res);
        glFinish();
    }
    ProcessCpu(bs, start);
}
void BM_FrameWithout(benchmark::State& bs) {
    FrameSwitches(bs, false);
}
void BM_FrameOnly(benchmark::State& bs) {
    FrameSwitches(bs, true);
}
} // namespace
// Which layer costs what.
BENCHMARK(BM_FrameWithout)
    ->DenseRange(0, 13)
    ->Iterations(1)
    ->Repetitions(15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->DisplayAggregatesOnly();
BENCHMARK(BM_FrameOnly)
    ->DenseRange(0, 14)
    ->Iterations(1)
    ->Repetitions(15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->DisplayAggregatesOnly();

// The medians side by side at the end of the report: the frame against the target and against the
// one-star-at-a-time drawing.
int main(int argc, char** argv) {
    return bench::RunWithMedianSummary(argc, argv, [](const bench::MedianReporter& r) {
        const double frame = r.Median("BM_Frame"), oneByOne = r.Median("BM_StarLayerOneAtATime");
        const double batched = r.Median("BM_StarLayerBatched"),
                     frameOneByOne = r.Median("BM_FrameWithStarsOneAtATime");
        if (frame <= 0.0) return;
        std::printf("\nmedians: frame %.2f ms (target under 12)", frame);
        if (oneByOne > 0.0)
            std::printf("; star layer one star at a time %.2f ms = %.1fx the frame", oneByOne,
                        oneByOne / frame);
        if (batched > 0.0 && oneByOne > 0.0)
            std::printf("; batched star layer %.2f ms (%.1fx faster)", batched, oneByOne / batched);
        if (frameOneByOne > 0.0)
            std::printf("; frame with stars one at a time %.2f ms (%.1fx)", frameOneByOne,
                        frameOneByOne / frame);
        std::printf("\n");
    });
}
