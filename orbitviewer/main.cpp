// Tessmoor: the asteroid orbit viewer.
#include "orbitviewer/Application.h"
#include "platform/DataDir.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // Every context of the program, the view's included, is a compatibility-profile context.
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmoor"));
    platform::UseDataFolderBeside(QApplication::applicationDirPath().toStdString());
    return tessmoor::TessmoorMain(app, QApplication::arguments().mid(1));
}
