// Start-up of the sky chart with the real data folder: all 122 textures, the star catalogue on
// the loader thread, names, settings and the first drawn frame.
//   BM_WindowToFirstSkyFrame: main window created and shown until the first frame drawn after
//     the loading dialog has closed (in-process, Qt already initialised).
//   BM_ProcessSnapshot, BM_ProcessSnapshotNoDisplay: the whole program as a user launches it,
//     `NightvaneGl --snapshot`, from exec to exit (process start, Qt, GL context, the catalogue,
//     the pictures the frame shows, one frame, the BMP written), with the display (Xvfb) and with
//     none at all; the last line sets the two medians side by side.
#include "MedianSummary.h"
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void BM_WindowToFirstSkyFrame(benchmark::State& st) {
    for (auto _ : st) {
        QElapsedTimer clock;
        clock.start();
        auto frame = std::make_unique<CMainFrame>();
        frame->showMaximized();
        CNightvaneGlView* view = g_view;
        int framesAtStart = -1;
        while (true) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (view->started() && framesAtStart < 0) framesAtStart = view->frameCount();
            if (framesAtStart >= 0 && view->frameCount() > framesAtStart) break;
            if (clock.elapsed() > 30000) {
                st.SkipWithError("no sky frame within 30 s");
                break;
            }
        }
        st.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        frame.reset();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowToFirstSkyFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole program as a user launches it; `display` false takes DISPLAY and WAYLAND_DISPLAY
// away, so the snapshot draws through its display-less EGL context.
void ProcessSnapshot(benchmark::State& st, bool display) {
    QTemporaryDir dir;
    const QString program = QStringLiteral(NV_BIN_DIR "/NightvaneGl");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!display) {
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    } else if (!env.contains(QStringLiteral("DISPLAY"))) {
        st.SkipWithError("no display: run under xvfb-run for the figure with one");
        return;
    }
    for (auto _ : st) {
        QElapsedTimer clock;
        clock.start();
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, {QStringLiteral("--snapshot"), dir.filePath(QStringLiteral("sky.bmp"))});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            st.SkipWithError("NightvaneGl --snapshot failed");
            break;
        }
        st.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    }
}
void BM_ProcessSnapshot(benchmark::State& st) {
    ProcessSnapshot(st, true);
}
void BM_ProcessSnapshotNoDisplay(benchmark::State& st) {
    ProcessSnapshot(st, false);
}
// Medians of 11 launches each.
BENCHMARK(BM_ProcessSnapshot)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(11);
BENCHMARK(BM_ProcessSnapshotNoDisplay)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11);

} // namespace

int main(int argc, char** argv) {
    qputenv("NIGHTVANE_DATA", NV_TEST_DATA_DIR);
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    // The in-process window benchmark needs a display; the process ones bring their own.
    if (!platform::DisplayAvailable()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Message boxes (a missing data file) must not block the measurement.
    platform::SetMessageBoxSink(
        [](const QString& text, const QString&) { qWarning("%s", qPrintable(text)); });
    // The report ends with the two launch-to-picture medians side by side.
    return bench::RunWithMedianSummary(argc, argv, [](const bench::MedianReporter& r) {
        const double none = r.Median("BM_ProcessSnapshotNoDisplay"), shown = r.Median("BM_ProcessSnapshot");
        if (none <= 0.0 && shown <= 0.0) return;
        std::printf(
            "\nlaunch to picture (default 1280x800 sky), medians: no display %.0f ms (target under 400)",
            none);
        if (shown > 0.0) std::printf("; with the display %.0f ms", shown);
        std::printf("\n");
    });
}
