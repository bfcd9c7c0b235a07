// NightvaneGl: the interactive sky chart.
#include "Application.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // With no display a snapshot still draws (Qt's off-screen platform, an EGL context); a window
    // cannot open.
    if (!platform::PrepareForDisplay(argc, argv, "NightvaneGl")) return 1;
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NightvaneGl"));
    QGuiApplication::setDesktopFileName(QStringLiteral("nightvanegl")); // its menu entry
    // An installed program finds the data folder beside it or in the installed share folder;
    // $NIGHTVANE_DATA or the build tree's folder serve otherwise.
    platform::UseDataFolderBeside(QApplication::applicationDirPath().toStdString());
    return nv::app::NightvaneGlMain(app, QApplication::arguments().mid(1));
}
