#include "Application.h"

#include "NightvaneGlView.h"
#include "SkyScene.h"
#include "StartupData.h"
#include "astro/TextFields.h"
#include "imaging/Bmp.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <QApplication>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QScreen>
#include <cmath>
#include <cstdio>

namespace nv::app {

namespace {

std::optional<double> ParseNumber(const QString& text) {
    return text::ParseWholeNumber(text.toStdString());
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
            const QDate d = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (!d.isValid()) return fail(QStringLiteral("--date wants YYYY-MM-DD: %1").arg(value));
            o.date = d;
        } else if (name == QStringLiteral("--time")) {
            const QTime t = QTime::fromString(value, QStringLiteral("HH:mm"));
            if (!t.isValid()) return fail(QStringLiteral("--time wants HH:MM: %1").arg(value));
            o.time = t;
        } else {
            const std::optional<double> v = ParseNumber(value);
            if (!v) return fail(QStringLiteral("%1 wants a number: %2").arg(name, value));
            if (name == QStringLiteral("--zone")) {
                if (std::fabs(*v) > 14.0) return fail(QStringLiteral("--zone must lie between -14 and 14"));
                o.zone = v;
            } else if (name == QStringLiteral("--lat")) {
                if (std::fabs(*v) > 90.0) return fail(QStringLiteral("--lat must lie between -90 and 90"));
                o.latitude = v;
            } else if (name == QStringLiteral("--lon")) {
                if (std::fabs(*v) > 360.0) return fail(QStringLiteral("--lon must lie between -360 and 360"));
                o.longitude = v;
            } else if (name == QStringLiteral("--pitch")) {
                o.pitch = v;
            } else if (name == QStringLiteral("--yaw")) {
                o.yaw = v;
            } else if (name == QStringLiteral("--fov")) {
                // The zoom keeps the field between 1 and 65 degrees; a negative one is upside down.
                if (std::fabs(*v) < kNarrowestFov || std::fabs(*v) > kWidestFov) {
                    return fail(QStringLiteral("--fov must be 1 to 65 degrees (negative flips vertically)"));
                }
                o.fov = v;
            } else {
                return fail(QStringLiteral("unknown option: %1").arg(name));
            }
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

// Draws one frame into an off-screen buffer of the picture's size and reads it back as a 24-bit
// BMP (BGR rows from the bottom up, each padded to four bytes). False when no buffer can be made.
bool RenderPicture(CSkyScene& scene, int width, int height, imaging::BmpImage& image) {
    // The picture's own buffer is made after the textures, so that it takes none of their names.
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QOpenGLFramebufferObject fbo(width, height, fboFormat);
    if (!fbo.isValid() || !fbo.bind()) return false;
    scene.ResizeScene(width, height, 1.0);
    scene.RenderScene();
    glFinish();
    image = imaging::BmpImage::Blank(width, height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, image.pixels.data());
    fbo.release();
    return true;
}

} // namespace

int RunSnapshot(const SnapshotOptions& o, const platform::GlContextFactory& factory) {
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
    auto state = std::make_unique<SkyState>();
    auto catalog = std::make_unique<SkyCatalog>();
    CSkyScene scene(*state, *catalog);
    scene.InitGL();
    StartSnapshot(scene, *state, *catalog, o);
    imaging::BmpImage image;
    const bool drawn = RenderPicture(scene, o.width, o.height, image);
    scene.ReleaseGL();
    context.doneCurrent();
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
    std::unique_ptr<CMainFrame> frame = CreateMainWindow(factory);
    if (!frame) return 1;
    // Without a window manager "maximised" changes nothing: start at the screen's size anyway.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame->resize(screen->availableGeometry().size());
    frame->showMaximized();
    return app.exec();
}

} // namespace nv::app
