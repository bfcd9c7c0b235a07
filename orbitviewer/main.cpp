// Tessmoor: the asteroid orbit viewer.
#include "orbitviewer/Application.h"
#include "platform/DataDir.h"
#include "platform/OffscreenGl.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // With no display a snapshot still draws (Qt's off-screen platform, an EGL context); a window
    // cannot open.
    if (!platform::PrepareForDisplay(argc, argv, "Tessmoor")) return 1;
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmoor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tessmoor")); // its menu entry
    platform::UseDataFolderBeside(QApplication::applicationDirPath().toStdString());
    return tessmoor::TessmoorMain(app, QApplication::arguments().mid(1));
}
