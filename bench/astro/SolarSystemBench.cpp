// One full solar-system update (Sun, Moon, planets, Pluto, the moons of Jupiter and Saturn), as
// every frame with planets shown runs it. Target: under 20 microseconds.
#include "astro/RiseTransitSet.h"
#include "astro/SkyClock.h"
#include "astro/SolarSystem.h"

#include <benchmark/benchmark.h>

namespace {

void BM_UpdateSolarSystem(benchmark::State& state) {
    astro::CSolarSystem ss;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 7) % 60;
        benchmark::DoNotOptimize(ss.UpdateSolarSystem(2024, 6, 7, 21, minute, 2.0f));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UpdateSolarSystem)->Unit(benchmark::kMicrosecond);

void BM_UpdateSiderealAngle(benchmark::State& state) {
    astro::SkyClock clock;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 7) % 60;
        benchmark::DoNotOptimize(astro::UpdateSiderealAngle({2024, 6, 7, 21, minute}, 2.0f, clock));
    }
}
BENCHMARK(BM_UpdateSiderealAngle)->Unit(benchmark::kNanosecond);

void BM_MessierTransitTimes(benchmark::State& state) {
    const astro::LocalClock clock{2024, 3, 9, 0, 0};
    const astro::ObserverPlace place{40.0, -75.0, -5.0f};
    for (auto _ : state) {
        float sum = 0;
        for (int n = 0; n < 110; ++n) sum += astro::MessierTransitTime(n * 3.2, 0.0, clock, place);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_MessierTransitTimes)->Unit(benchmark::kMicrosecond);

} // namespace
