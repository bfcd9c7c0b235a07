// Loading all 122 textures (BMP decode + mipmap build + upload) into an off-screen context: the
// real data folder when it has been built, else generated pictures of the same sizes.
#include "imaging/Bmp.h"
#include "planetarium/catalog/Textures.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

fs::path TextureDir() {
    const fs::path real = NV_BENCH_DATA_DIR;
    bool complete = true;
    for (const nv::TextureSlot& slot : nv::TextureSlots())
        complete = complete && fs::exists(real / slot.fileName);
    if (complete) {
        std::fprintf(stderr, "textures: %s\n", real.string().c_str());
        return real;
    }
    const fs::path dir = fs::temp_directory_path() / "nv_bench_textures";
    fs::create_directories(dir);
    std::fprintf(stderr, "textures: generated in %s\n", dir.string().c_str());
    std::mt19937 rng(3);
    for (const nv::TextureSlot& slot : nv::TextureSlots()) {
        const bool messier = slot.slot > nv::kMessierTextureBase;
        const int w = slot.slot == 1 ? 1024 : slot.slot == 12 ? 1024 : messier ? 256 : 512;
        const int h = messier ? 256 : w / 2;
        imaging::BmpImage image = imaging::BmpImage::Blank(w, h);
        for (auto& b : image.pixels) b = static_cast<std::uint8_t>(rng());
        imaging::WriteBmp24(dir / slot.fileName, image);
    }
    return dir;
}

void BM_LoadAllTextures(benchmark::State& state) {
    static const fs::path dir = TextureDir();
    nv::SkyState sky;
    for (auto _ : state) {
        const nv::TextureLoadReport report = nv::LoadAllTextures(sky, dir);
        glFinish();
        if (report.loaded != 122) state.SkipWithError("not every texture loaded");
        state.PauseTiming();
        GLuint names[122];
        int i = 0;
        for (const nv::TextureSlot& slot : nv::TextureSlots()) names[i++] = slot.slot;
        glDeleteTextures(122, names);
        glFinish();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAllTextures)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QSurfaceFormat fmt;
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    fmt.setVersion(2, 1);
    QOffscreenSurface surface;
    surface.setFormat(fmt);
    surface.create();
    QOpenGLContext context;
    context.setFormat(fmt);
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::fprintf(stderr, "no OpenGL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
