// NightvaneGl: the interactive sky chart.
#include "Application.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // With no display a snapshot still draws (Qt's off-screen platform for fonts and pictures,
    // an EGL context for the drawing); a window cannot open.
    if (!platform::DisplayAvailable() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        bool snapshot = false;
        for (int i = 1; i < argc; ++i) snapshot = snapshot || std::strcmp(argv[i], "--snapshot") == 0;
        if (!snapshot) {
            std::fprintf(stderr, "NightvaneGl: no display to open the window on (DISPLAY is not set). "
                                 "NightvaneGl --snapshot FILE.bmp draws the sky into a picture instead.\n");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        platform::PrepareSurfacelessGl(); // while Qt starts
    }
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NightvaneGl"));
    QGuiApplication::setDesktopFileName(QStringLiteral("nightvanegl")); // its menu entry
    // An installed program finds the data folder beside it or in the installed share folder;
    // $NIGHTVANE_DATA or the build tree's folder serve otherwise.
    platform::SetProgramDir(QApplication::applicationDirPath().toStdString());
    return nv::app::NightvaneGlMain(app, QApplication::arguments().mid(1));
}
