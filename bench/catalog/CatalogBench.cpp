// Start-up loading costs: parsing the star catalogue (the real data/hip.txt when it has been
// built, else a generated file of the same size and layout) and reading the other small files.
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

namespace {

std::string CatalogueText() {
    const std::filesystem::path real = std::filesystem::path(NV_BENCH_DATA_DIR) / "hip.txt";
    if (std::ifstream in{real, std::ios::binary}) {
        std::ostringstream s;
        s << in.rdbuf();
        std::fprintf(stderr, "catalogue: %s\n", real.string().c_str());
        return s.str();
    }
    std::fprintf(stderr, "catalogue: generated (no %s)\n", real.string().c_str());
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> u(-1.0, 1.0), mag(-1.0, 12.0);
    std::string text;
    char line[160];
    for (int hip = 1; hip <= 118218; ++hip) {
        const int n = std::snprintf(line, sizeof line, "%d,%.8f,%.8f,%.8f,%.6f,%.6f,%.3f,%s\n", hip, u(rng),
                                    u(rng), u(rng), 180 + 180 * u(rng), 90 * u(rng), mag(rng), "G8III");
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

void BM_ParseStarCatalogue(benchmark::State& state) {
    static const std::string text = CatalogueText();
    auto catalog = std::make_unique<nv::SkyCatalog>();
    for (auto _ : state) {
        const nv::StarLoadReport report = nv::ParseStarCatalogue(text, catalog->m_stars);
        benchmark::DoNotOptimize(report.linesStored);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseStarCatalogue)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The whole loader as the worker thread runs it: read the file, parse, Messier table.
void BM_LoadStarDataFromFile(benchmark::State& state) {
    const std::filesystem::path real = std::filesystem::path(NV_BENCH_DATA_DIR) / "hip.txt";
    if (!std::filesystem::exists(real)) {
        state.SkipWithError("no data/hip.txt");
        return;
    }
    auto catalog = std::make_unique<nv::SkyCatalog>();
    for (auto _ : state) benchmark::DoNotOptimize(nv::LoadStarData(*catalog, real).linesStored);
}
BENCHMARK(BM_LoadStarDataFromFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_ReadNamesAndSettings(benchmark::State& state) {
    const std::filesystem::path dir = NV_BENCH_DATA_DIR;
    auto catalog = std::make_unique<nv::SkyCatalog>();
    for (auto _ : state) {
        nv::ReadStarNames(dir / "starnames.txt", *catalog);
        nv::SettingsFile s;
        nv::ReadSettingsFile(dir / "NightvaneGL.ini", s);
        benchmark::DoNotOptimize(s.m_latitude);
    }
}
BENCHMARK(BM_ReadNamesAndSettings)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
