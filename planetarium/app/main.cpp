// NightvaneGl: the interactive sky chart.
#include "Application.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NightvaneGl"));
    platform::UseDataFolderBeside(QApplication::applicationDirPath().toStdString());
    return nv::app::NightvaneGlMain(app, QApplication::arguments().mid(1));
}
