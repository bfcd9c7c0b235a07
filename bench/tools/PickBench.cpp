// One right-click pick over the real catalogue (118,321 stars, the bodies, 109 pictures) at the
// home view, field 65, 1280x800: the processor's pick (target: median under 1 ms), the same with
// the bodies computed for the sky clock as the right click does, and the selection-mode pick of the
// graphics pipeline for comparison. Each iteration picks at the next of 64 fixed pointer
// positions; the medians are printed side by side at the end. Run under a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/nv_pick_bench
#include "MedianSummary.h"
#include "RenderTestSupport.h"
#include "SelectionPick.h"

#include "planetarium/tools/Picking.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace rendertest;

namespace {

struct Scene {
    Frame frame;
    nv::SkyState state = DarkState();
    const nv::SkyCatalog* catalog = nullptr;
    std::vector<std::pair<int, int>> pointers;
    bool ready = false;
};

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
        SetLondonEvening(s);
        s.g_viewWidth = kWidth;
        s.g_viewHeight = kHeight;
        scene.frame.ctx.makeCurrent();
        nv::ApplySkyProjection(s);
        scene.frame.solar = nv::tools::BodiesForSkyClock(s);
        std::mt19937 rng(65);
        std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1);
        for (int k = 0; k < 64; ++k) scene.pointers.emplace_back(x(rng), y(rng));
        scene.ready = true;
    }
    return scene;
}

void BM_ProcessorPick(benchmark::State& bs) {
    Scene& sc = TheScene();
    if (!sc.ready) return bs.SkipWithError("no context or no data");
    size_t k = 0;
    for (auto _ : bs) {
        const auto [x, y] = sc.pointers[k++ % sc.pointers.size()];
        benchmark::DoNotOptimize(nv::tools::PickObject(sc.state, *sc.catalog, sc.frame.solar, x, y));
    }
}
BENCHMARK(BM_ProcessorPick)
    ->Iterations(64)
    ->Repetitions(15)
    ->Unit(benchmark::kMillisecond)
    ->DisplayAggregatesOnly();

void BM_ProcessorPickWithBodies(benchmark::State& bs) {
    Scene& sc = TheScene();
    if (!sc.ready) return bs.SkipWithError("no context or no data");
    size_t k = 0;
    for (auto _ : bs) {
        const auto [x, y] = sc.pointers[k++ % sc.pointers.size()];
        const astro::CSolarSystem bodies = nv::tools::BodiesForSkyClock(sc.state);
        benchmark::DoNotOptimize(nv::tools::PickObject(sc.state, *sc.catalog, bodies, x, y));
    }
}
BENCHMARK(BM_ProcessorPickWithBodies)
    ->Iterations(64)
    ->Repetitions(15)
    ->Unit(benchmark::kMillisecond)
    ->DisplayAggregatesOnly();

void BM_SelectionModePick(benchmark::State& bs) {
    Scene& sc = TheScene();
    if (!sc.ready) return bs.SkipWithError("no context or no data");
    sc.frame.ctx.makeCurrent();
    size_t k = 0;
    for (auto _ : bs) {
        const auto [x, y] = sc.pointers[k++ % sc.pointers.size()];
        benchmark::DoNotOptimize(
            nvtest::SelectionPick(sc.state, *sc.catalog, sc.frame.solar, sc.frame.res.shapes, x, y));
    }
}
BENCHMARK(BM_SelectionModePick)
    ->Iterations(1)
    ->Repetitions(9)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->DisplayAggregatesOnly();

} // namespace

// The medians side by side at the end of the report.
int main(int argc, char** argv) {
    return bench::RunWithMedianSummary(argc, argv, [](const bench::MedianReporter& r) {
        const double cpu = r.Median("BM_ProcessorPick"), withBodies = r.Median("BM_ProcessorPickWithBodies");
        const double select = r.Median("BM_SelectionModePick");
        if (cpu <= 0.0) return;
        std::printf("\nmedians: processor pick %.3f ms (target under 1)", cpu);
        if (withBodies > 0.0) std::printf("; with the bodies for the sky clock %.3f ms", withBodies);
        if (select > 0.0)
            std::printf("; selection-mode pick %.1f ms (%.0fx the processor pick)", select, select / cpu);
        std::printf("\n");
    });
}
