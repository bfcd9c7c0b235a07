// Start-up of the sky chart with the real data folder: all 122 textures, the star catalogue on
// the loader thread, names, settings and the first drawn frame.
//   BM_WindowToFirstSkyFrame: main window created and shown until the first frame drawn after
//     the loading dialog has closed (in-process, Qt already initialised).
//   BM_ProcessSnapshot: the whole program as a user launches it, `NightvaneGl --snapshot`, from
//     exec to exit (process start, Qt, GL context, the same loading, one frame, the BMP written).
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

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

void BM_ProcessSnapshot(benchmark::State& st) {
    QTemporaryDir dir;
    const QString program = QStringLiteral(NV_BIN_DIR "/NightvaneGl");
    for (auto _ : st) {
        QElapsedTimer clock;
        clock.start();
        QProcess p;
        p.start(program, {QStringLiteral("--snapshot"), dir.filePath(QStringLiteral("sky.bmp"))});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            st.SkipWithError("NightvaneGl --snapshot failed");
            break;
        }
        st.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    }
}
BENCHMARK(BM_ProcessSnapshot)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("NIGHTVANE_DATA", NV_TEST_DATA_DIR);
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    // Message boxes (a missing data file) must not block the measurement.
    platform::SetMessageBoxSink(
        [](const QString& text, const QString&) { qWarning("%s", qPrintable(text)); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
