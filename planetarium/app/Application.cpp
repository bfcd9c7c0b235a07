#include "Application.h"

#include "NightvaneGlView.h"
#include "SkyScene.h"
#include "StartupData.h"
#include "astro/ValueRanges.h"
#include "imaging/Bmp.h"
#include "planetarium/catalog/Textures.h"
#include "planetarium/render/Pictures.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenGl.h"
#include "resources/AppIcons.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

namespace nv::app {

LaunchMode ParseCommandLine(const QStringList& args, SnapshotOptions& o, QString* error) {
    // The ranges are those of the settings file and skycalc (astro/ValueRanges.h).
    const std::vector<platform::NumberOption> numbers = {
        platform::RangedOption("--zone", &o.zone, astro::kZoneRange),
        platform::RangedOption("--lat", &o.latitude, astro::kLatitudeRange),
        platform::RangedOption("--lon", &o.longitude, astro::kLongitudeRange),
        platform::RangedOption("--pitch", &o.pitch, astro::kPitchRange),
        platform::RangedOption("--yaw", &o.yaw, astro::kYawRange),
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

// The start-up every chart runs, with the options replacing the start values. The star table
// is being read meanwhile (`stars`); the pictures are read when the frame first draws with them.
void StartSnapshot(CSkyScene& scene, SkyState& state, SkyCatalog& catalog, const SnapshotOptions& o,
                   std::future<QString>& stars) {
    StartupSteps steps;
    steps.loadTablesAndPictures = [&stars] { return QStringList{stars.get()}; };
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

// The snapshot's drawing once its context is current: start-up, one frame, the picture. Only the
// pictures the frame shows are read from the data folder, each when a layer first draws with it.
int DrawAndWrite(platform::OffscreenGl& gl, const SnapshotOptions& o, SkyCatalog& catalog,
                 std::future<QString>& stars) {
    auto state = std::make_unique<SkyState>();
    CSkyScene scene(*state, catalog);
    scene.InitGL();
    std::vector<std::string> failed;
    SetPictureSource([&failed](unsigned slot) {
        std::string error;
        if (LoadPictureSlot(slot, platform::DataDir(), &error)) return true;
        failed.push_back(error);
        return false;
    });
    StartSnapshot(scene, *state, catalog, o, stars);
    const bool framed = gl.BindFramebuffer(o.width, o.height);
    imaging::BmpImage image;
    if (framed) {
        scene.ResizeScene(o.width, o.height, 1.0);
        scene.RenderScene();
        image = imaging::BmpImage::Blank(o.width, o.height);
        gl.ReadBgrRows(image.pixels.data());
    }
    SetPictureSource({});
    scene.ReleaseGL();
    gl.Release();
    if (const QString message = MissingPicturesMessage(failed); !message.isEmpty()) Report(message);
    if (!framed) {
        Report(QStringLiteral("cannot make a %1x%2 off-screen picture").arg(o.width).arg(o.height));
        return 1;
    }
    std::string error;
    const QString path = QFileInfo(o.file).absoluteFilePath();
    if (!imaging::WriteBmp24(path.toStdString(), image, &error)) {
        Report(QString::fromStdString(error));
        return 1;
    }
    std::printf("The sky picture is in %s (%dx%d, 24-bit BMP)\n", qPrintable(path), o.width, o.height);
    return 0;
}

} // namespace

int RunSnapshot(const SnapshotOptions& o, const platform::GlContextFactory& factory) {
    // Without the data folder there is nothing to draw: one message, not one per missing file.
    if (const QString missing = MissingDataFolderMessage(); !missing.isEmpty()) {
        Report(missing);
        return 1;
    }
    // With no display the context comes from EGL; Qt's check would find none.
    if (platform::DisplayAvailable() && !platform::CheckGlContext(factory)) return 1;
    // The catalogue is read on a second thread while the OpenGL context is made.
    auto catalog = std::make_unique<SkyCatalog>();
    std::future<QString> stars =
        std::async(std::launch::async, [&catalog] { return LoadStarTable(*catalog); });
    platform::OffscreenGl gl;
    if (std::string why; !gl.Create(&why)) {
        Report(QStringLiteral("no OpenGL context for the snapshot: %1").arg(QString::fromStdString(why)));
        return 1;
    }
    return DrawAndWrite(gl, o, *catalog, stars);
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
    QApplication::setWindowIcon(res::AppIcon(res::AppIconId::NightvaneGl));
    std::unique_ptr<CMainFrame> frame = CreateMainWindow(factory);
    if (!frame) return 1;
    // Without a window manager "maximised" changes nothing: start at the screen's size anyway.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame->resize(screen->availableGeometry().size());
    frame->showMaximized();
    return app.exec();
}

} // namespace nv::app
