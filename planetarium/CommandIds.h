// Numeric command and control identifiers of the sky chart's menus, toolbar and bars.
#pragma once

#include "platform/StandardCommandIds.h"

namespace nv {

// The framework's standard commands (File, View, Help).
using namespace platform::ids;

// The sky chart's own commands
inline constexpr int ID_FIND = 32774;
inline constexpr int ID_NORTH = 32779;
inline constexpr int ID_SETTINGS = 32781;
inline constexpr int ID_VIEW_STARS = 32782;
inline constexpr int ID_VIEW_STARNAMES = 32783;
inline constexpr int ID_VIEW_RADEC = 32784;
inline constexpr int ID_VIEW_ECLIPTIC = 32785;
inline constexpr int ID_VIEW_PLANETS = 32786;
inline constexpr int ID_VIEW_GROUND = 32787;
inline constexpr int ID_VIEW_MILKYWAY = 32788;
inline constexpr int ID_VIEW_CONSTLINES = 32789;
inline constexpr int ID_VIEW_CONSTNAMES = 32790;
inline constexpr int ID_VIEW_MESSIERS = 32791;
inline constexpr int ID_VIEW_MESSIERNAMES = 32792;
inline constexpr int ID_VIEW_DAYLIGHT = 32793;
inline constexpr int ID_ANIM_PLAY = 32794;
inline constexpr int ID_ANIM_PAUSE = 32795;
inline constexpr int ID_ANIM_SETTINGS = 32796;
inline constexpr int ID_PREFERENCES = 32797;
inline constexpr int ID_RESET_TIME = 32798;
inline constexpr int ID_COPY_IMAGE = 32799;
inline constexpr int ID_ABOUT_STAR = 32800;
inline constexpr int ID_LOCK_ON = 32801;
inline constexpr int ID_POPUP_PLAY = 32802;
inline constexpr int ID_POPUP_STOP = 32803;
inline constexpr int ID_SHOW_EYEPIECE = 32804;
inline constexpr int ID_EYEPIECE_SIZE = 32805;
inline constexpr int ID_VIEW_ALTAZI = 32807;
inline constexpr int ID_VIEW_NIGHTVISION = 32808;
inline constexpr int ID_FLIP_HORIZONTAL = 32809;
inline constexpr int ID_FLIP_VERTICAL = 32810;

// Top bar controls
inline constexpr int IDC_TIME_PICKER = 1001;
inline constexpr int IDC_DATE_PICKER = 1002;
inline constexpr int IDC_ZOOM_BAR = 1003;
inline constexpr int IDC_QUICK_FIND = 1052;
inline constexpr int IDC_MARATHON = 1058;

// Navigation bar controls
inline constexpr int IDC_FACE_NORTH = 1032;
inline constexpr int IDC_FACE_SOUTH = 1033;
inline constexpr int IDC_FACE_EAST = 1034;
inline constexpr int IDC_FACE_WEST = 1035;
inline constexpr int IDC_TILT_UP = 1036;
inline constexpr int IDC_TILT_DOWN = 1037;
inline constexpr int IDC_TURN_LEFT = 1038;
inline constexpr int IDC_TURN_RIGHT = 1039;
inline constexpr int IDC_READOUT_RADEC = 1041;
inline constexpr int IDC_READOUT_ALTAZI = 1042;
inline constexpr int IDC_COORD_FIRST = 1043;
inline constexpr int IDC_COORD_SECOND = 1044;
inline constexpr int IDC_GOTO = 1045;

// The view's one timer: animation and glide steps, one tick every 50 ms.
inline constexpr unsigned kViewTimerId = 1;
inline constexpr int kViewTimerPeriodMs = 50;

} // namespace nv
