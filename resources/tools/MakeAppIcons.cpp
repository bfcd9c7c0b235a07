// make_app_icons OUTDIR: writes the programs' icons as OUTDIR/hicolor/<n>x<n>/apps/<name>.png in
// the sizes a desktop's menus and launchers ask for (the freedesktop icon theme layout).
#include "resources/AppIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_app_icons OUTDIR\n");
        return 2;
    }
    const struct {
        nv::res::AppIconId id;
        const char* name;
    } icons[] = {{nv::res::AppIconId::NightvaneGl, "nightvanegl"},
                 {nv::res::AppIconId::Tessmoor, "tessmoor"}};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir =
            QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir)) return 1;
        for (const auto& icon : icons)
            if (!nv::res::AppIconImage(icon.id, size).save(QStringLiteral("%1/%2.png").arg(dir, icon.name))) {
                std::fprintf(stderr, "make_app_icons: cannot write %s\n", qPrintable(dir));
                return 1;
            }
    }
    return 0;
}
