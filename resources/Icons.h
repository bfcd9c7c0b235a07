// The toolbar, navigation-bar and top-bar pictures of both programs: plain line drawings painted
// at whatever size and pixel density the button asks for, so they stay crisp on any screen.
#pragma once

#include <QIcon>

namespace nv::res {

// The pictures of the commands' buttons.
enum class IconId {
    None,
    Save,
    Copy,
    Print,
    Find,
    FlipHorizontal,
    FlipVertical,
    North,
    ResetTime,
    Settings,
    About,
    FaceNorth,
    FaceSouth,
    FaceEast,
    FaceWest,
    TiltUp,
    TiltDown,
    TurnLeft,
    TurnRight,
    QuickFind,
    Marathon,
    Orbits, // the orbit viewer's own picture: an orbit around the Sun
};

// The icon for a command's picture (a null icon for IconId::None).
QIcon CommandIcon(IconId id);

} // namespace nv::res
