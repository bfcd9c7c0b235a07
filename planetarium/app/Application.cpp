#include "Application.h"

#include "NightvaneGlView.h"
#include "SkyScene.h"
#include "StartupData.h"
#include "imaging/Bmp.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <cmath>
#include <cstdio>

namespace nv::app {

LaunchMode ParseCommandLine(const QStringList& args, SnapshotOptions& o, QString* error) {
    auto within = [](double limit, const char* why) {
        return [limit, why](double v) { return std::fabs(v) > limit ? QString::fromLatin1(why) : QString(); };
    };
    const std::vector<platform::NumberOption> numbers = {
        {QStringLiteral("--zone"), &o.zone, within(14.0, "--zone must lie between -14 and 14")},
        {QStringLiteral("--lat"), &o.latitude, within(90.0, "--lat must lie between -90 and 90")},
        {QStringLiteral("--lon"), &o.longitude, within(360.0, "--lon must lie between -360 and 360")},
        {QStringLiteral("--pitch"), &o.pitch},
        {QStringLiteral("--yaw"), &o.yaw},
        // The zoom keeps the field between 1 and 65 degrees; a negative one is upside down.
        {QStringLiteral("--fov"), &o.fov,
         [](double v) {
             return std::fabs(v) < kNarrowestFov || std::fabs(v) > kWidestFov
                        ? QStringLiteral("--fov must be 1 to 65 degrees (negative flips vertically)")
                        : QString();
         }},
    };
    return platform::ParseSnapshotArguments(args, numbers, o, error);
}

std::unique_ptr<CMainFrame> CreateMainWindow(const platform::GlContextFactory& factory,
                                             const FrameOptions& options) {
    if (!platform::CheckGlContext(factory)) return nullptr;
    return std::make_unique<CMainFrame>(options);
}

namespace {

// Standard error is where a snapshot's messages go.
void Report(const QString& message) {
    std::fprintf(stderr, "NightvaneGl: %s\n", qPrintable(message));
}

// The start-up every chart runs, with the options replacing the start values.
void StartSnapshot(CSkyScene& scene, SkyState& state, SkyCatalog& catalog, const SnapshotOptions& o) {
    StartupSteps steps;
    steps.loadTablesAndPictures = [&] {
        if (const QString message = LoadStarTable(catalog); !message.isEmpty()) Report(message);
        for (const QString& line : LoadTextures(state)) Report(line);
    };
    steps.overrides = [&o](SkyState& s) {
        if (o.zone) s.g_gmtOffset = static_cast<float>(*o.zone);
        if (o.latitude) s.g_latitude = *o.latitude;
        if (o.longitude) s.g_longitude = *o.longitude;
        if (o.pitch) s.m_viewPitch = static_cast<float>(*o.pitch);
        if (o.yaw) s.m_viewYaw = static_cast<float>(*o.yaw);
        if (o.fov) s.g_fov = static_cast<float>(*o.fov);
    };
    steps.startTime = [&o] {
        const QDateTime now = QDateTime::currentDateTime();
        const QTime t = o.time.value_or(now.time());
        return QDateTime(o.date.value_or(now.date()), QTime(t.hour(), t.minute()), Qt::LocalTime);
    };
    steps.report = Report;
    RunStartup(scene, state, catalog, steps);
}

} // namespace

int RunSnapshot(const SnapshotOptions& o, const platform::GlContextFactory& factory) {
    if (!platform::CheckGlContext(factory)) return 1;
    platform::OffscreenGl gl;
    if (!gl.Create()) {
        Report(QStringLiteral("no OpenGL context for the snapshot"));
        return 1;
    }
    auto state = std::make_unique<SkyState>();
    auto catalog = std::make_unique<SkyCatalog>();
    CSkyScene scene(*state, *catalog);
    scene.InitGL();
    StartSnapshot(scene, *state, *catalog, o);
    // The picture's own buffer is made after the textures, so that it takes none of their names.
    if (!gl.BindFramebuffer(o.width, o.height)) {
        Report(QStringLiteral("cannot make a %1x%2 off-screen picture").arg(o.width).arg(o.height));
        scene.ReleaseGL();
        return 1;
    }
    scene.ResizeScene(o.width, o.height, 1.0);
    scene.RenderScene();
    imaging::BmpImage image = imaging::BmpImage::Blank(o.width, o.height);
    gl.ReadBgrRows(image.pixels.data());
    scene.ReleaseGL();
    gl.Release();

    std::string error;
    const QString path = QFileInfo(o.file).absoluteFilePath();
    if (!imaging::WriteBmp24(path.toStdString(), image, &error)) {
        Report(QString::fromStdString(error));
        return 1;
    }
    std::printf("The sky picture is in %s (%dx%d, 24-bit BMP)\n", qPrintable(path), o.width, o.height);
    return 0;
}

int NightvaneGlMain(QApplication& app, const QStringList& arguments,
                    const platform::GlContextFactory& factory) {
    SnapshotOptions options;
    QString error;
    switch (ParseCommandLine(arguments, options, &error)) {
    case LaunchMode::BadArguments:
        std::fprintf(stderr, "NightvaneGl: %s\n", qPrintable(error));
        return 2;
    case LaunchMode::Snapshot: {
        const platform::MessageBoxesToTerminal toTerminal; // nobody is there to close a box
        return RunSnapshot(options, factory);
    }
    case LaunchMode::Window:
        break;
    }
    std::unique_ptr<CMainFrame> frame = CreateMainWindow(factory);
    if (!frame) return 1;
    // Without a window manager "maximised" changes nothing: start at the screen's size anyway.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame->resize(screen->availableGeometry().size());
    frame->showMaximized();
    return app.exec();
}

} // namespace nv::app
