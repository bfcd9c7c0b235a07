#include "orbitviewer/Application.h"

#include "astro/ValueRanges.h"
#include "imaging/Bmp.h"
#include "orbitviewer/MainFrame.h"
#include "orbitviewer/OrbitScene.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <cstdio>
#include <string>

namespace tessmoor {

platform::LaunchMode ParseViewerCommandLine(const QStringList& args, ViewerSnapshotOptions& o,
                                            QString* error) {
    // The camera's angles keep to the sky chart's rule (astro/ValueRanges.h).
    const std::vector<platform::NumberOption> numbers = {
        {QStringLiteral("--zoom"), &o.zoom},
        platform::RangedOption("--pitch", &o.pitch, astro::kPitchRange),
        platform::RangedOption("--yaw", &o.yaw, astro::kYawRange),
    };
    return platform::ParseSnapshotArguments(args, numbers, o, error);
}

namespace {

// The start values with the options in their place; the date and time default to now (UT).
ViewerInstant SnapshotInstant(const ViewerSnapshotOptions& o) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = o.date.value_or(now.date());
    const QTime t = o.time.value_or(now.time());
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), 0};
}

bool DrawSnapshot(const ViewerSnapshotOptions& o, imaging::BmpImage& image) {
    platform::OffscreenGl gl;
    if (std::string why; !gl.Create(&why)) {
        std::fprintf(stderr, "Tessmoor: no OpenGL context for the snapshot: %s\n", why.c_str());
        return false;
    }
    InitViewerGl();
    auto table = std::make_unique<WanderocTable>();
    if (const WanderocFileResult load = LoadWanderocs(*table); !load.message.empty())
        std::fprintf(stderr, "Tessmoor: %s\n", load.message.c_str());
    ViewerState state;
    if (o.zoom) state.g_viewerZoom = static_cast<float>(*o.zoom);
    if (o.pitch) state.g_viewerPitch = static_cast<float>(*o.pitch);
    if (o.yaw) state.g_viewerYaw = static_cast<float>(*o.yaw);
    const bool bound = gl.BindFramebuffer(o.width, o.height);
    if (bound) {
        ResizeViewer(state, o.width, o.height);
        DrawViewerFrame(state, *table, SnapshotInstant(o));
        image = imaging::BmpImage::Blank(o.width, o.height);
        gl.ReadBgrRows(image.pixels.data());
    } else {
        std::fprintf(stderr, "Tessmoor: cannot make a %dx%d off-screen picture\n", o.width, o.height);
    }
    ReleaseViewerGl();
    gl.Release();
    return bound;
}

} // namespace

int RunViewerSnapshot(const ViewerSnapshotOptions& o, const platform::GlContextFactory& factory) {
    // With no display the context comes from EGL; Qt's check would find none.
    if (platform::DisplayAvailable() && !platform::CheckGlContext(factory)) return 1;
    imaging::BmpImage image;
    if (!DrawSnapshot(o, image)) return 1;
    std::string error;
    const QString path = QFileInfo(o.file).absoluteFilePath();
    if (!imaging::WriteBmp24(path.toStdString(), image, &error)) {
        std::fprintf(stderr, "Tessmoor: %s\n", error.c_str());
        return 1;
    }
    std::printf("The orbit picture is in %s (%dx%d, 24-bit BMP)\n", qPrintable(path), o.width, o.height);
    return 0;
}

int TessmoorMain(QApplication& app, const QStringList& arguments, const platform::GlContextFactory& factory) {
    ViewerSnapshotOptions options;
    QString error;
    switch (ParseViewerCommandLine(arguments, options, &error)) {
    case platform::LaunchMode::BadArguments:
        std::fprintf(stderr, "Tessmoor: %s\n", qPrintable(error));
        return 2;
    case platform::LaunchMode::Snapshot: {
        const platform::MessageBoxesToTerminal toTerminal; // nobody is there to close a box
        return RunViewerSnapshot(options, factory);
    }
    case platform::LaunchMode::Window:
        break;
    }
    if (!platform::CheckGlContext(factory)) return 1;
    CMainFrame frame;
    frame.resize(1024, 720);
    frame.show();
    return app.exec();
}

} // namespace tessmoor
