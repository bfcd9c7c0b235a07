// The programs' own icons, painted in code at any size: the sky chart's (a night sky over a
// horizon, a crescent Moon and a small constellation) and the orbit viewer's (the Sun with two
// tilted orbits and their asteroids). The installed menu entries use them as PNG files in
// several sizes (make_app_icons), the windows as their window icon.
#pragma once

#include <QIcon>
#include <QImage>

namespace nv::res {

enum class AppIconId { NightvaneGl, Tessmoor };

// The icon painted into a square picture of `size` pixels (transparent corners).
QImage AppIconImage(AppIconId id, int size);
// The icon at the usual sizes, for a window.
QIcon AppIcon(AppIconId id);

} // namespace nv::res
