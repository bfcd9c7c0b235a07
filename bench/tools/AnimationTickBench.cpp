// One animation tick of the sky view, piece by piece and whole: the step of the pickers, the sky
// clock, the view-centre readout, and the full tick with a frame of every layer at 1280x800 drawn
// from the real catalogue (needs a display: run under Xvfb). The tick must stay well under the
// 50 ms timer period for the animation to keep its 20 steps a second.
#include "GlTestContext.h"
#include "astro/AutomationDate.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "planetarium/catalog/Textures.h"
#include "planetarium/render/RenderScene.h"
#include "planetarium/tools/TimeControl.h"
#include "planetarium/tools/ViewHandlers.h"
#include "platform/DataDir.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

double Start() {
    double v = 0;
    astro::AutomationDateFromFields({2024, 3, 20, 22, 0, 0}, v);
    return v;
}

// The window around the handlers: pickers in memory, the redraw draws a real frame.
class BenchHost : public nv::tools::ViewHost {
public:
    double date = Start(), time = Start();
    std::string e1, e2;
    std::function<void()> redraw;
    astro::PickerValue GetDatePicker() const override { return {date, true}; }
    astro::PickerValue GetTimePicker() const override { return {time, true}; }
    void SetDatePicker(double v) override { date = v; }
    void SetTimePicker(double v) override { time = v; }
    void SetZoomIndicator(int, int, int) override {}
    bool IsAltAziChecked() const override { return false; }
    std::string GetCoordinateText(int) const override { return {}; }
    void SetReadoutTexts(const std::string& a, const std::string& b) override {
        e1 = a;
        e2 = b;
    }
    void ApplyProjection() override {}
    void SetTimer1() override {}
    void KillTimer1() override {}
    void CaptureMouse() override {}
    void ReleaseMouseCapture() override {}
    void Redraw() override {
        if (redraw) redraw();
    }
    QWidget* DialogParent() const override { return nullptr; }
};

void BM_AnimationStep(benchmark::State& st) {
    double t = Start();
    for (auto _ : st) {
        auto r = astro::AnimationStep({t, true}, {t, true}, astro::kUnitMinutes, 1);
        t = r.value_or(t);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_AnimationStep);

void BM_SkyClock(benchmark::State& st) {
    nv::SkyState s;
    BenchHost host;
    for (auto _ : st) {
        nv::tools::UpdateSkyClock(s, host);
        benchmark::DoNotOptimize(s.g_siderealAngle);
    }
}
BENCHMARK(BM_SkyClock);

void BM_Readout(benchmark::State& st) {
    nv::SkyState s;
    BenchHost host;
    for (auto _ : st) {
        s.m_viewYaw += 0.01f;
        nv::tools::UpdateReadout(s, host);
        benchmark::DoNotOptimize(host.e1.data());
    }
}
BENCHMARK(BM_Readout);

// The tick without the frame: step, sky clock, readout, re-arm.
void BM_TickWithoutFrame(benchmark::State& st) {
    nv::SkyState s;
    s.m_animating = true;
    BenchHost host;
    for (auto _ : st) nv::tools::OnTimer(s, host);
}
BENCHMARK(BM_TickWithoutFrame);

struct FrameSetup {
    std::unique_ptr<nvtest::GlTestContext> ctx;
    std::unique_ptr<nv::SkyCatalog> catalog = std::make_unique<nv::SkyCatalog>();
    std::unique_ptr<nv::RenderResources> res;
    nv::SkyState state;
    bool ok = false;
};

std::unique_ptr<FrameSetup> g_frame;

FrameSetup& Frame() {
    if (g_frame) return *g_frame;
    g_frame = std::make_unique<FrameSetup>();
    FrameSetup& f = *g_frame;
    [&f] {
        f.ctx = std::make_unique<nvtest::GlTestContext>(1280, 800);
        if (!f.ctx->ok()) return;
        f.ctx->makeCurrent();
        const auto data = platform::DataDir();
        if (!nv::LoadStarData(*f.catalog, data / "hip.txt").ok) return;
        nv::ReadStarNames(data / "starnames.txt", *f.catalog);
        nv::ApplyStarCorrection(*f.catalog);
        f.res = std::make_unique<nv::RenderResources>();
        f.res->Init();
        nv::LoadAllTextures(f.state, data);
        f.res->g_constellations.CopyStars(*f.catalog);
        // Every layer on: the heaviest frame the switches allow.
        nv::LayerSwitches& sw = f.state.sw;
        sw.m_showAltAzi = sw.m_showStars = sw.m_showStarNames = sw.m_showRaDec = sw.m_showEcliptic = true;
        sw.m_showPlanets = sw.m_showGround = sw.m_showMilkyWay = sw.m_showConstLines = true;
        sw.m_showConstNames = sw.m_showMessiers = sw.m_showMessierNames = sw.m_showDayLight = true;
        sw.m_showEyepiece = true;
        f.state.g_viewWidth = 1280;
        f.state.g_viewHeight = 800;
        nv::ApplySkyProjection(f.state);
        f.ok = true;
    }();
    return f;
}

// GL resources go while their context and the application still live.
void ReleaseFrame() {
    if (!g_frame) return;
    if (g_frame->ctx && g_frame->ctx->ok()) {
        g_frame->ctx->makeCurrent();
        if (g_frame->res) g_frame->res->Release();
    }
    g_frame.reset();
}

void BM_AnimationTickWithFrame(benchmark::State& st) {
    FrameSetup& f = Frame();
    if (!f.ok) {
        st.SkipWithError("no OpenGL context or no catalogue");
        return;
    }
    f.ctx->makeCurrent();
    BenchHost host;
    host.redraw = [&f] {
        nv::RenderScene(f.state, *f.catalog, *f.res);
        glFinish();
    };
    f.state.m_animating = true;
    f.state.m_animUnit = astro::kUnitMinutes;
    f.state.m_animCount = 10;
    for (auto _ : st) nv::tools::OnTimer(f.state, host);
}
BENCHMARK(BM_AnimationTickWithFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->Iterations(20)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ReleaseFrame();
    benchmark::Shutdown();
    return 0;
}
