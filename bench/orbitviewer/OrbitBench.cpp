// The orbit viewer's costs per frame: propagating the 1500 asteroids of the built data file
// (target: median under 1 ms) and the whole frame with names at 1280x800 in the start view, each
// repetition finished with glFinish (target: median under 10 ms). Read the medians. The frame
// needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_orbitviewer
#include "orbitviewer/OrbitScene.h"
#include "orbitviewer/Orbits.h"
#include "orbitviewer/Wanderocs.h"
#include "platform/GlContextProbe.h"
#include "platform/OffscreenGl.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <memory>

using namespace tessmoor;

namespace {

WanderocTable& Table() {
    static std::unique_ptr<WanderocTable> table = [] {
        auto t = std::make_unique<WanderocTable>();
        const WanderocFileResult load = LoadWanderocs(*t);
        if (!load.message.empty()) std::fprintf(stderr, "%s\n", load.message.c_str());
        return t;
    }();
    return *table;
}

void BM_Propagate1500(benchmark::State& bs) {
    WanderocTable& table = Table();
    double jd = 2460390.0; // March 2024
    for (auto _ : bs) {
        PropagateAll(table, jd);
        benchmark::DoNotOptimize(table[1499].x);
        jd += 1.0 / 24.0; // an hour per tick, as an animation runs
    }
    bs.counters["orbits"] = static_cast<double>(
        std::count_if(table.begin(), table.end(), [](const WanderocRecord& r) { return r.HoldsData(); }));
}
BENCHMARK(BM_Propagate1500)->Unit(benchmark::kMicrosecond)->Repetitions(20)->DisplayAggregatesOnly();

void BM_FrameWithNames(benchmark::State& bs) {
    const bool names = bs.range(0) != 0;
    platform::OffscreenGl gl;
    if (!gl.Create() || !gl.BindFramebuffer(1280, 800)) {
        bs.SkipWithError("no OpenGL context (run under a display)");
        return;
    }
    InitViewerGl();
    ViewerState state;
    state.g_showWanderocNames = names;
    ResizeViewer(state, 1280, 800);
    ViewerInstant t{2024, 3, 20, 3, 6, 0};
    DrawViewerFrame(state, Table(), t);
    glFinish();
    const std::clock_t start = std::clock();
    for (auto _ : bs) {
        t.minute = (t.minute + 1) % 60;
        benchmark::DoNotOptimize(DrawViewerFrame(state, Table(), t));
        glFinish();
    }
    bs.counters["cpu_all_threads_ms"] =
        1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC / double(bs.iterations());
    ReleaseViewerGl();
}
BENCHMARK(BM_FrameWithNames)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(40)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->DisplayAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
