// NightvaneGl: the interactive sky chart.
#include "Application.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"

#include <QApplication>
#include <QDir>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NightvaneGl"));
    // An installed program reads the data folder beside it; $NIGHTVANE_DATA or the build tree's
    // folder serve otherwise.
    const QString beside = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    if (qEnvironmentVariableIsEmpty("NIGHTVANE_DATA") && QDir(beside).exists())
        platform::SetDataDir(beside.toStdString());
    return nv::app::NightvaneGlMain(app, QApplication::arguments().mid(1));
}
