#include "Application.h"

#include "NightvaneGlView.h"
#include "SkyScene.h"
#include "StartupData.h"
#include "astro/TextFields.h"
#include "astro/ValueRanges.h"
#include "imaging/Bmp.h"
#include "planetarium/catalog/Textures.h"
#include "planetarium/render/Pictures.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenGl.h"
#include "resources/AppIcons.h"

#include <GL/gl.h>
#include <QApplication>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

namespace nv::app {

namespace {

std::optional<double> ParseNumber(const QString& text) {
    return text::ParseWholeNumber(text.toStdString());
}

// The number options and the range each must lie in (the field of view has its own rule).
struct RangedOption {
    const char* name;
    const astro::ValueRange* range;
    std::optional<double> SnapshotOptions::*field;
};
constexpr RangedOption kRangedOptions[] = {
    {"--zone", &astro::kZoneRange, &SnapshotOptions::zone},
    {"--lat", &astro::kLatitudeRange, &SnapshotOptions::latitude},
    {"--lon", &astro::kLongitudeRange, &SnapshotOptions::longitude},
    {"--pitch", &astro::kPitchRange, &SnapshotOptions::pitch},
    {"--yaw", &astro::kYawRange, &SnapshotOptions::yaw},
};

// One number option into `o`; an empty string, or why its value is refused.
QString ApplyNumberOption(const QString& name, const QString& value, SnapshotOptions& o) {
    const std::optional<double> v = ParseNumber(value);
    if (!v) return QStringLiteral("%1 wants a number: %2").arg(name, value);
    if (name == QStringLiteral("--fov")) {
        // The zoom keeps the field between 1 and 65 degrees; a negative one is upside down.
        if (std::fabs(*v) < kNarrowestFov || std::fabs(*v) > kWidestFov)
            return QStringLiteral("--fov must be 1 to 65 degrees (negative flips vertically)");
        o.fov = v;
        return {};
    }
    for (const RangedOption& option : kRangedOptions) {
        if (name != QLatin1String(option.name)) continue;
        if (const std::string why = astro::RangeProblem(*option.range, *v); !why.empty())
            return QStringLiteral("%1: %2").arg(name, QString::fromStdString(why));
        o.*option.field = v;
        return {};
    }
    return QStringLiteral("unknown option: %1").arg(name);
}

} // namespace

LaunchMode ParseCommandLine(const QStringList& args, SnapshotOptions& o, QString* error) {
    auto fail = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return LaunchMode::BadArguments;
    };
    if (args.isEmpty()) return LaunchMode::Window;
    bool snapshot = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (!name.startsWith(QStringLiteral("--")))
            return fail(QStringLiteral("unexpected argument: %1").arg(name));
        if (i + 1 >= args.size()) return fail(QStringLiteral("%1 needs a value").arg(name));
        const QString value = args[++i];
        if (name == QStringLiteral("--snapshot")) {
            if (value.isEmpty()) return fail(QStringLiteral("--snapshot needs a file name"));
            o.file = value;
            snapshot = true;
        } else if (name == QStringLiteral("--size")) {
            const QStringList parts = value.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
            const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
            if (!okW || !okH || w < 1 || h < 1 || w > 8192 || h > 8192) {
                return fail(QStringLiteral("--size wants WxH, each 1 to 8192: %1").arg(value));
            }
            o.width = w;
            o.height = h;
        } else if (name == QStringLiteral("--date")) {
            const std::optional<astro::DateTimeFields> d = astro::ParseDateText(value.toStdString());
            if (!d) {
                return fail(QStringLiteral("--date wants YYYY-MM-DD, years %1 to %2: %3")
                                .arg(astro::kFirstYear)
                                .arg(astro::kLastYear)
                                .arg(value));
            }
            o.date = QDate(d->year, d->month, d->day);
        } else if (name == QStringLiteral("--time")) {
            const std::optional<astro::DateTimeFields> t = astro::ParseClockText(value.toStdString());
            if (!t) return fail(QStringLiteral("--time wants HH:MM, 00:00 to 23:59: %1").arg(value));
            o.time = QTime(t->hour, t->minute);
        } else if (const QString why = ApplyNumberOption(name, value, o); !why.isEmpty()) {
            return fail(why);
        }
    }
    if (!snapshot) return fail(QStringLiteral("options are only for --snapshot FILE.bmp"));
    return LaunchMode::Snapshot;
}

bool CheckGlContext(const platform::GlContextFactory& factory) {
    const platform::GlProbeResult result = factory ? factory() : platform::GlProbeResult::NoFormat;
    if (result == platform::GlProbeResult::Ok) return true;
    const QString caption = QStringLiteral("Error");
    platform::ShowMessageBox(nullptr,
                             result == platform::GlProbeResult::NoFormat
                                 ? QStringLiteral("ChoosePixelFormat failed")
                                 : QStringLiteral("SetPixelFormat failed"),
                             caption);
    platform::ShowMessageBox(QApplication::focusWidget(), QStringLiteral("SetPixelformat Failed!"), caption);
    return false;
}

std::unique_ptr<CMainFrame> CreateMainWindow(const platform::GlContextFactory& factory,
                                             const FrameOptions& options) {
    if (!CheckGlContext(factory)) return nullptr;
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

// Draws one frame into an off-screen buffer of the picture's size and reads it back as a 24-bit
// BMP (BGR rows from the bottom up, each padded to four bytes). False when no buffer can be made.
bool RenderPicture(CSkyScene& scene, int width, int height, imaging::BmpImage& image) {
    platform::OffscreenFramebuffer framebuffer;
    if (!framebuffer.Create(width, height)) return false;
    scene.ResizeScene(width, height, 1.0);
    scene.RenderScene();
    image = imaging::BmpImage::Blank(width, height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, image.pixels.data());
    return true;
}

// The snapshot's drawing, once a context is current: start-up, one frame, the picture. Only the
// pictures the frame shows are read from the data folder, each when a layer first draws with it.
int DrawAndWrite(const SnapshotOptions& o, SkyCatalog& catalog, std::future<QString>& stars) {
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
    imaging::BmpImage image;
    const bool drawn = RenderPicture(scene, o.width, o.height, image);
    SetPictureSource({});
    scene.ReleaseGL();
    if (const QString message = MissingPicturesMessage(failed); !message.isEmpty()) Report(message);
    if (!drawn) {
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
    // The catalogue is read on a second thread while the OpenGL context is made.
    auto catalog = std::make_unique<SkyCatalog>();
    std::future<QString> stars =
        std::async(std::launch::async, [&catalog] { return LoadStarTable(*catalog); });
    if (!platform::DisplayAvailable()) {
        // No display at all: Mesa's surfaceless EGL context.
        platform::SurfacelessGlContext context;
        if (std::string why; !context.Create(&why)) {
            Report(QStringLiteral("no OpenGL context for the snapshot: %1").arg(QString::fromStdString(why)));
            return 1;
        }
        return DrawAndWrite(o, *catalog, stars);
    }
    if (!CheckGlContext(factory)) return 1;
    QOffscreenSurface surface;
    surface.setFormat(QSurfaceFormat::defaultFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create() || !context.makeCurrent(&surface)) {
        Report(QStringLiteral("no OpenGL context for the snapshot"));
        return 1;
    }
    const int status = DrawAndWrite(o, *catalog, stars);
    context.doneCurrent();
    return status;
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
        // Nobody is there to close a box: errors go to the terminal.
        const platform::MessageBoxSink previous =
            platform::SetMessageBoxSink([](const QString& text, const QString& caption) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
            });
        const int status = RunSnapshot(options, factory);
        platform::SetMessageBoxSink(previous);
        return status;
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
